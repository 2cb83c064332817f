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
  // One grid for every list and number field, so that they line up.
  auto *fields = new QGridLayout;
  root->addLayout(fields);
  for (const char *control : {"cmbBaudRate", "cmbDensity", "cmbCodepage", "cmbBuzzerSound",
                              "cmbBackLight", "cmbSenserLoaction", "cmbHeatAdj", "cmbPrintSpeed"}) {
    Row(fields, control);
  }
  for (const char *control : {"txtPrintToStop", "txtHOrigin", "txtVOrigin"}) {
    Row(fields, control, "(0-89)");
  }
  fields->setColumnStretch(1, 1);
  Radio("gpbReprintWhenError", "_Disable", "_Enable", root);
  Radio("gpbPrintReprint", "_Disable", "_Enable", root);

  StopPrintLine(root)->setSpacing(kGap);
}

void T_frmParaSet_Q73::InitLanguageExtra() {
  SetEntriesFromKeys("cmbSenserLoaction",
                     {KeyPrefix() + QStringLiteral("_cmbSenserLoaction_Item1"),
                      KeyPrefix() + QStringLiteral("_cmbSenserLoaction_Item2")});
  // English needs a wider label before the anti-stick field; a longer
  // text widens it further rather than being cut.
  const int width = mdlGlobal::LanguageId == QLatin1String("1033") ? 108 : 65;
  findChild<QLabel *>(QStringLiteral("lblStopPrint1"))->setMinimumWidth(width);
}

}  // namespace ravo::utility
