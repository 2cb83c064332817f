// Parameter window of the HMZ family.
#pragma once

#include "param_form.h"

namespace ravo::utility {

class T_frmParaSet_HMZ : public ParamForm {
  Q_OBJECT

 public:
  explicit T_frmParaSet_HMZ(QWidget *parent = nullptr);

 protected:
  void BuildLayout(QBoxLayout *root) override;
  void InitLanguageExtra() override;
};

}  // namespace ravo::utility
