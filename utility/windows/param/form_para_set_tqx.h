// Parameter window of the TQX family (and of every model no list names).
// The only one that probes the printer's command set when shown.
#pragma once

#include "param_form.h"

namespace ravo::utility {

class T_frmParaSet_TQX : public ParamForm {
  Q_OBJECT

 public:
  explicit T_frmParaSet_TQX(QWidget *parent = nullptr);

 protected:
  void BuildLayout(QBoxLayout *root) override;
  void InitLanguageExtra() override;
};

}  // namespace ravo::utility
