// The printer-type catalogue: model lists of section "ParameterSet" in the
// printer-type list file, and what membership in each list means.
#pragma once

#include <QString>
#include <QStringList>

#include "param_family.h"

namespace mdlGlobal {

// True when name followed by a comma occurs in the list value (a plain
// substring test: "M10,M2," holds M10 and M2, not M1).  An empty name is
// in no list.
bool ListHolds(const QString &listValue, const QString &name);

// Membership of name in the catalogue list under key.
bool InModelList(const QString &key, const QString &name);

// Speeds "2" ... top speed for a model name (select item 0); the top speed
// is that of the first of IPS3, IPS4, IPS5, IPS7 holding the name, else 3.
QStringList FillPrintSpeedList(const QString &modelName);
// The same for SelectedModel.
QStringList FillPrintSpeedList();

// "56", "80" or "108" by the PaperWidth lists for the model, else "48".
QString GetPaperWidth(const QString &model);
// The same for SelectedModel.
QString GetPaperWidth();

// The parameter family (and window) of a model: the first list of TQX, KV, TQM, HMZ,
// Q73, TGV holding it decides; TQX when none does.
ravo::utility::param::Family ParameterFamilyOf(const QString &model);

// The main window's label-learning button is disabled for these models.
bool IsLearnDisabled(const QString &model);

// Length of the firmware version answer: 4 for "VersionLength4", else 3.
int VersionAnswerLength(const QString &model);

// Dealer printer types ("Vanta_Serial"), tested with SelectedPrinterType.
bool IsDealerPrinterType(const QString &printerType);

}  // namespace mdlGlobal
