// Parameter window of the TGV family: the TQM window plus the print
// method, which cannot be changed on a "VT-640K".
#pragma once

#include "form_para_set_tqm.h"

namespace ravo::utility {

class T_frmParaSet_TGV : public T_frmParaSet_TQM {
  Q_OBJECT

 public:
  explicit T_frmParaSet_TGV(QWidget *parent = nullptr);

 protected:
  void AddRadioGroups(QBoxLayout *into) override;
  void InitLanguageExtra() override;
};

}  // namespace ravo::utility
