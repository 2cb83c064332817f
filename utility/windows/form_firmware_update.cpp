#include "form_firmware_update.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QGridLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <cerrno>

#include "firmware_update.h"
#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "window_messages.h"

namespace ravo::utility {
namespace {

using mdlGlobal::GetLangString;

QString Text(const char *key) {
  return GetLangString(QLatin1String(key));
}

}  // namespace

T_frmFirmwareUpdate::FileChooser &T_frmFirmwareUpdate::ChooseFirmwareFile() {
  static FileChooser chooser = [](QWidget *parent) {
    return QFileDialog::getOpenFileName(parent, QString(), QString(),
                                        QStringLiteral("Firmware (*.bin *.dfu);;* (*)"));
  };
  return chooser;
}

T_frmFirmwareUpdate::T_frmFirmwareUpdate(QWidget *parent)
    : QDialog(parent), process_(new QProcess(this)) {
  setWindowTitle(Text("FormFirmwareUpdate_Caption"));
  lblFile = new QLabel(Text("FormFirmwareUpdate_lblFile"), this);
  txtFile = new QLineEdit(this);
  txtFile->setObjectName(QStringLiteral("txtFile"));
  txtFile->setMinimumWidth(260);
  lblFile->setBuddy(txtFile);
  btnBrowse = new QPushButton(Text("FormFirmwareUpdate_btnBrowse"), this);
  btnBrowse->setObjectName(QStringLiteral("btnBrowse"));
  prgProgress = new QProgressBar(this);
  prgProgress->setObjectName(QStringLiteral("prgProgress"));
  prgProgress->setRange(0, 100);
  prgProgress->setValue(0);
  txtOutput = new QPlainTextEdit(this);
  txtOutput->setObjectName(QStringLiteral("txtOutput"));
  txtOutput->setReadOnly(true);
  txtOutput->setMinimumHeight(120);
  lblStatus = new QLabel(this);
  lblStatus->setObjectName(QStringLiteral("lblStatus"));
  lblStatus->setWordWrap(true);
  btnStart = new QPushButton(Text("FormFirmwareUpdate_btnStart"), this);
  btnStart->setObjectName(QStringLiteral("btnStart"));
  btnStop = new QPushButton(Text("FormFirmwareUpdate_btnStop"), this);
  btnStop->setObjectName(QStringLiteral("btnStop"));
  btnStop->setEnabled(false);
  btnClose = new QPushButton(mdlGlobal::Msg.Close, this);
  btnClose->setObjectName(QStringLiteral("btnClose"));
  for (QPushButton *b : {btnStart, btnStop, btnClose}) b->setMinimumSize(81, 33);

  auto *grid = new QGridLayout(this);
  grid->addWidget(lblFile, 0, 0);
  grid->addWidget(txtFile, 0, 1, 1, 3);
  grid->addWidget(btnBrowse, 0, 4);
  grid->addWidget(prgProgress, 1, 0, 1, 5);
  grid->addWidget(txtOutput, 2, 0, 1, 5);
  grid->setRowStretch(2, 1);
  grid->addWidget(lblStatus, 3, 0, 1, 5);
  grid->setColumnStretch(1, 1);
  grid->addWidget(btnStart, 4, 2);
  grid->addWidget(btnStop, 4, 3);
  grid->addWidget(btnClose, 4, 4);
  activity = new PrinterActivity(this);
  activity->Guard({txtFile, btnBrowse, btnStart});
  grid->addWidget(activity, 5, 0, 1, 5);

  process_->setProcessChannelMode(QProcess::MergedChannels);
  connect(process_, &QProcess::readyRead, this, [this] {
    output_ += QString::fromLocal8Bit(process_->readAll());
    ShowOutput();
  });
  connect(process_, &QProcess::finished, this,
          [this](int exitCode, QProcess::ExitStatus status) { Finished(exitCode, status); });
  connect(process_, &QProcess::errorOccurred, this, [this](QProcess::ProcessError error) {
    if (error != QProcess::FailedToStart) return;
    SetWriting(false);
    ShowError(Text("FormFirmwareUpdate_MSGNotStarted") + QLatin1Char('\n') +
              process_->errorString());
  });
  connect(btnBrowse, &QPushButton::clicked, this, [this] { btnBrowseClick(); });
  connect(btnStart, &QPushButton::clicked, this, [this] { btnStartClick(); });
  connect(btnStop, &QPushButton::clicked, this, [this] { btnStopClick(); });
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
}

void T_frmFirmwareUpdate::btnBrowseClick() {
  const QString file = ChooseFirmwareFile()(this);
  if (!file.isEmpty()) txtFile->setText(file);
}

void T_frmFirmwareUpdate::btnStartClick() {
  const QString file = txtFile->text().trimmed();
  if (file.isEmpty()) return ShowError(Text("FormFirmwareUpdate_MSGNoFile"));
  if (!QFileInfo(file).isFile()) {
    return ShowErrorCode(GetLangString(QStringLiteral("_Err_FileRead")), ENOENT, file);
  }
  // Asked again: dfu-util may have gone since the window opened, and the
  // printer must not be switched without it.
  const QString program = FindDfuUtil();
  if (program.isEmpty()) return ShowError(Text("FormMain_Label_MSGNoDfuUtil"));
  QString question = Text("FormFirmwareUpdate_MSGConfirm");
  if (!ConfirmWarning(question.replace(QLatin1String("{file}"), file))) return;
  const PrinterTarget printer = mdlGlobal::SelectedPrinter();
  activity->Run<ServiceResult>(
      [printer](const TaskControl &control) {
        return PrinterService(printer, &control).EnterFirmwareMode();
      },
      [this, program, file](ServiceResult result) {
        if (!result.ok()) return ShowServiceError(result);
        RunDfuUtil(program, file);
      });
}

void T_frmFirmwareUpdate::RunDfuUtil(const QString &program, const QString &file) {
  output_.clear();
  txtOutput->clear();
  prgProgress->setValue(0);
  stopped_ = false;
  lblStatus->setText(Text("FormFirmwareUpdate_MSGWaiting"));
  SetWriting(true);
  process_->start(program, DfuUtilArguments(file));
}

void T_frmFirmwareUpdate::ShowOutput() {
  txtOutput->setPlainText(DfuOutputForLog(output_));
  txtOutput->moveCursor(QTextCursor::End);
  if (const auto percent = DfuProgressPercent(output_)) prgProgress->setValue(*percent);
}

void T_frmFirmwareUpdate::Finished(int exitCode, QProcess::ExitStatus status) {
  output_ += QString::fromLocal8Bit(process_->readAll());
  ShowOutput();
  SetWriting(false);
  if (stopped_) {
    lblStatus->setText(Text("FormFirmwareUpdate_MSGStopped"));
    return;
  }
  if (status == QProcess::NormalExit && exitCode == 0) {
    prgProgress->setValue(100);
    lblStatus->setText(Text("FormFirmwareUpdate_MSGDone"));
    return ShowInformation(lblStatus->text());
  }
  QString failed = Text("FormFirmwareUpdate_MSGFailed");
  failed.replace(QLatin1String("{code}"), QString::number(exitCode));
  lblStatus->setText(failed);
  ShowError(failed);
}

void T_frmFirmwareUpdate::btnStopClick() {
  if (!Writing()) return;
  stopped_ = true;
  process_->terminate();
  if (!process_->waitForFinished(2000)) process_->kill();
}

void T_frmFirmwareUpdate::SetWriting(bool writing) {
  btnStart->setEnabled(!writing);
  btnBrowse->setEnabled(!writing);
  txtFile->setEnabled(!writing);
  btnStop->setEnabled(writing);
  btnClose->setEnabled(!writing);
}

void T_frmFirmwareUpdate::done(int result) {
  if (Writing()) return;
  activity->Cancel();  // closing does not wait for the switch command
  QDialog::done(result);
}

}  // namespace ravo::utility
