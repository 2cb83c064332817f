#include "form_para_set_tqx.h"

#include <QBoxLayout>
#include <QGridLayout>

#include "mdl_global.h"

namespace ravo::utility {

T_frmParaSet_TQX::T_frmParaSet_TQX(QWidget *parent)
    : ParamForm({param::Family::TQX, QStringLiteral("FormParaSet_TQX"), QStringLiteral("_ParaSet"),
                 mdlGlobal::SelectedPrinterType, true},
                parent) {
  FormCreate();
}

void T_frmParaSet_TQX::BuildLayout(QBoxLayout *root) {
  auto [left, right] = AddColumns(root);

  Row(Group("gpbCOMPortSet", left), "cmbBaudRate");
  Row(Group("gpbPrinterLanguage", left), "cmbKoreanLanguage");
  Radio("gpbAutoPosition", "_Disable", "_Enable", left);
  QGridLayout *language = Group("gpbLanguage", left);
  Row(language, "cmbInternationalCharacter");
  Row(language, "cmbCodepage");
  left->addStretch();

  QGridLayout *config = Group("gpbPrinterConfig", right);
  Row(config, "cmbDensity");
  Row(config, "cmbJudgePaperMode");
  Row(config, "cmbProtocolType");
  Row(config, "cmbHeatAdj");
  Row(config, "cmbPrintSpeed");
  Row(config, "txtMarkMaxLength", "(0-500)mm");
  Row(config, "txtLabelMinLength", "(0-500)mm");
  Row(config, "txtLabelMaxLength", "(0-500)mm");
  Row(config, "txtValleyThresholdRate", "(0-100)");
  Row(config, "txtVoltageBetweenLabelGap", "(0-3.3) V");
}

void T_frmParaSet_TQX::InitLanguageExtra() {
  SetEntriesFromKeys(
      "cmbJudgePaperMode",
      {QStringLiteral("_PaperType_Auto"), QStringLiteral("_PaperType_Label"),
       QStringLiteral("_PaperType_Receipt"), QStringLiteral("_PaperType_BlackMark")});
}

}  // namespace ravo::utility
