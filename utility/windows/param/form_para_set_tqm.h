// Parameter window of the TQM family; the TGV window adds the print method.
#pragma once

#include "param_form.h"

namespace ravo::utility {

class T_frmParaSet_TQM : public ParamForm {
  Q_OBJECT

 public:
  explicit T_frmParaSet_TQM(QWidget *parent = nullptr);

 protected:
  // For windows built on this one; they call FormCreate themselves.
  T_frmParaSet_TQM(param::Family family, QWidget *parent);

  void BuildLayout(QBoxLayout *root) override;
  void InitLanguageExtra() override;
  // Where a derived window adds its own radio groups.
  virtual void AddRadioGroups(QBoxLayout *) {}
};

}  // namespace ravo::utility
