#include "form_para_set_tqm.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "mdl_global.h"

namespace ravo::utility {

T_frmParaSet_TQM::T_frmParaSet_TQM(QWidget *parent) : T_frmParaSet_TQM(param::Family::TQM, parent) {
  FormCreate();
}

T_frmParaSet_TQM::T_frmParaSet_TQM(param::Family family, QWidget *parent)
    : ParamForm({family, QStringLiteral("FormParaSet_TQM"), QStringLiteral("_ParaSet"),
                 mdlGlobal::SelectedPrinterType},
                parent) {}

void T_frmParaSet_TQM::BuildLayout(QBoxLayout *root) {
  auto [left, right] = AddColumns(root);

  QGridLayout *port = Group("gpbCOMPortSet", left);
  Row(port, "cmbBaudRate");
  Row(port, "cmbParity");
  Row(port, "cmbStopBits");
  QGridLayout *language = Group("gpbLanguage", left);
  Row(language, "cmbInternationalCharacter");
  Row(language, "cmbCodepage");
  Radio("gpbReprintWhenError", "_Disable", "_Enable", left);
  Radio("gpbPrintReprint", "_Disable", "_Enable", left);
  Radio("gpbAutoPosition", "_Disable", "_Enable", left);
  Radio("gpbSmallLabel", "_UnSupport", "_Support", left);
  AddRadioGroups(left);
  left->addStretch();

  Row(Group("gpbDensity", right), "cmbDensity");
  EthernetGroup(right);
  QGridLayout *other = Group("gpbOther", right);
  Row(other, "cmbJudgePaperMode");
  Row(other, "txtMarkMaxLength", "(0-500)mm");
  Row(other, "txtLabelMaxLength", "(0-500)mm");
  Row(other, "txtLabelMinLength", "(0-500)mm");
  Row(other, "cmbHeatAdj");
  Row(other, "cmbPrintSpeed");

  StopPrintLine(root);
}

void T_frmParaSet_TQM::InitLanguageExtra() {
  SetEntriesFromKeys("cmbJudgePaperMode",
                     {QStringLiteral("_PaperType_Receipt"), QStringLiteral("_PaperType_Label"),
                      QStringLiteral("_PaperType_BlackMark")});
  SetDhcpEntries();
}

}  // namespace ravo::utility
