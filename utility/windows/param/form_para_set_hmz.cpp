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
  auto *columns = new QHBoxLayout;
  auto *left = new QVBoxLayout;
  auto *right = new QVBoxLayout;
  columns->addLayout(left);
  columns->addLayout(right);
  root->addLayout(columns);

  Row(Group("gpbDensity", left), "cmbDensity");
  Radio("gpbPrintType", "_PrintType1", "_PrintType2", left);
  Radio("gpbAutoPosition", "_Disable", "_Enable", left);
  Radio("gpbReprintWhenError", "_Disable", "_Enable", left);
  Radio("gpbSmallLabel", "_UnSupport", "_Support", left);
  left->addStretch();

  QGridLayout *ethernet = Group("gpbEthernetSetting", right);
  Row(ethernet, "cmbDHCP");
  Row(ethernet, "txtIP");
  Row(ethernet, "txtSubnet");
  Row(ethernet, "txtGateway");
  QGridLayout *other = Group("gpbOther", right);
  Row(other, "cmbJudgePaperMode");
  Row(other, "cmbCodepage");
  Row(other, "txtLabelMaxLength", "(0-500)mm");
  Row(other, "cmbHeatAdj");
  Row(other, "cmbPrintSpeed");

  auto *stop = new QHBoxLayout;
  stop->addWidget(NamedLabel("lblStopPrint1"));
  stop->addWidget(Edit("txtStopPrint"));
  stop->addWidget(NamedLabel("lblStopPrint2"));
  stop->addStretch();
  root->addLayout(stop);
}

void T_frmParaSet_HMZ::InitLanguageExtra() {
  SetEntriesFromKeys("cmbJudgePaperMode",
                     {QStringLiteral("_PaperType_Label"), QStringLiteral("_PaperType_Receipt"),
                      QStringLiteral("_PaperType_BlackMark")});
  SetEntriesFromKeys("cmbDHCP", {KeyPrefix() + QStringLiteral("_cmbDHCP_Item1"),
                                 KeyPrefix() + QStringLiteral("_cmbDHCP_Item2")});
}

}  // namespace ravo::utility
