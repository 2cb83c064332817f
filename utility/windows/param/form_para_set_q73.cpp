#include "form_para_set_q73.h"

#include <QBoxLayout>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>

#include "mdl_global.h"

namespace ravo::utility {

namespace {
constexpr int kGap = 5;
}

T_frmParaSet_Q73::T_frmParaSet_Q73(QWidget *parent)
    // The speed list follows the model here, not the printer-list entry.
    : ParamForm({param::Family::Q73, QStringLiteral("FormParaSet_Q73"),
                 QStringLiteral("RAVO_ParaSet"), mdlGlobal::SelectedModel},
                parent) {
  FormCreate();
}

void T_frmParaSet_Q73::BuildLayout(QBoxLayout *root) {
  auto *fields = new QGridLayout;
  root->addLayout(fields);
  for (const char *control : {"cmbBaudRate", "cmbDensity", "cmbCodepage", "cmbBuzzerSound",
                              "cmbBackLight", "cmbSenserLoaction"}) {
    Row(fields, control);
  }
  for (const char *control : {"txtPrintToStop", "txtHOrigin", "txtVOrigin"}) {
    Row(fields, control, "(0-89)");
  }
  Radio("gpbReprintWhenError", "_Disable", "_Enable", root);
  Radio("gpbPrintReprint", "_Disable", "_Enable", root);

  StopPrintLine(root)->setSpacing(kGap);

  auto *tuning = new QGridLayout;
  root->addLayout(tuning);
  Row(tuning, "cmbHeatAdj");
  Row(tuning, "cmbPrintSpeed");
}

void T_frmParaSet_Q73::InitLanguageExtra() {
  SetEntriesFromKeys("cmbSenserLoaction",
                     {KeyPrefix() + QStringLiteral("_cmbSenserLoaction_Item1"),
                      KeyPrefix() + QStringLiteral("_cmbSenserLoaction_Item2")});
  // English needs a wider label before the anti-stick field.
  const int width = mdlGlobal::LanguageId == QLatin1String("1033") ? 108 : 65;
  findChild<QLabel *>(QStringLiteral("lblStopPrint1"))->setFixedWidth(width);
}

}  // namespace ravo::utility
