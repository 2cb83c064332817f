#include "form_para_set_hmz.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "mdl_global.h"

namespace ravo::utility {

T_frmParaSet_HMZ::T_frmParaSet_HMZ(QWidget *parent)
    : ParamForm({param::Family::HMZ, QStringLiteral("FormParaSet_HMZ"), QStringLiteral("_ParaSet"),
                 mdlGlobal::SelectedPrinterType},
                parent) {
  FormCreate();
}

void T_frmParaSet_HMZ::BuildLayout(QBoxLayout *root) {
  auto [left, right] = AddColumns(root);

  Row(Group("gpbDensity", left), "cmbDensity");
  Radio("gpbPrintType", "_PrintType1", "_PrintType2", left);
  Radio("gpbAutoPosition", "_Disable", "_Enable", left);
  Radio("gpbReprintWhenError", "_Disable", "_Enable", left);
  Radio("gpbSmallLabel", "_UnSupport", "_Support", left);
  left->addStretch();

  EthernetGroup(right);
  QGridLayout *other = Group("gpbOther", right);
  Row(other, "cmbJudgePaperMode");
  Row(other, "cmbCodepage");
  Row(other, "txtLabelMaxLength", "(0-500)mm");
  Row(other, "cmbHeatAdj");
  Row(other, "cmbPrintSpeed");

  StopPrintLine(root);
}

void T_frmParaSet_HMZ::InitLanguageExtra() {
  SetEntriesFromKeys("cmbJudgePaperMode",
                     {QStringLiteral("_PaperType_Label"), QStringLiteral("_PaperType_Receipt"),
                      QStringLiteral("_PaperType_BlackMark")});
  SetDhcpEntries();
}

}  // namespace ravo::utility
