#include "form_para_set_tgv.h"

#include <QGroupBox>

#include "mdl_global.h"

namespace ravo::utility {

T_frmParaSet_TGV::T_frmParaSet_TGV(QWidget *parent) : T_frmParaSet_TQM(param::Family::TGV, parent) {
  FormCreate();
}

void T_frmParaSet_TGV::AddRadioGroups(QBoxLayout *into) {
  Radio("gpbPrintType", "_PrintType1", "_PrintType2", into);
}

void T_frmParaSet_TGV::InitLanguageExtra() {
  T_frmParaSet_TQM::InitLanguageExtra();
  // A disabled group still writes its item back.
  findChild<QGroupBox *>(QStringLiteral("gpbPrintType"))
      ->setEnabled(mdlGlobal::SelectedPrinterType != QLatin1String("VT-640K"));
}

}  // namespace ravo::utility
