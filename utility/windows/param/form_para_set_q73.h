// Parameter window of the Q73 family, whose block layout differs from all
// the others.
#pragma once

#include "param_form.h"

namespace ravo::utility {

class T_frmParaSet_Q73 : public ParamForm {
  Q_OBJECT

 public:
  explicit T_frmParaSet_Q73(QWidget *parent = nullptr);

 protected:
  void BuildLayout(QBoxLayout *root) override;
  void InitLanguageExtra() override;
};

}  // namespace ravo::utility
