#include "frm_command_test.h"

#include <QCheckBox>
#include <QFile>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QTabWidget>
#include <QThread>
#include <QTime>
#include <QTimer>
#include <QVBoxLayout>
#include <algorithm>
#include <vector>

#include "command_log.h"
#include "command_page_text.h"
#include "mdl_function.h"
#include "mdl_global.h"
#include "mdl_global_selected_printer.h"
#include "printer_activity.h"
#include "printer_service.h"
#include "tool_support.h"

namespace ravo::utility {

using mdlGlobal::GetLangString;
using mdlGlobal::Msg;

namespace {

constexpr int kHintMs = 3000;
constexpr int kAnswerPauseMs = 100;
constexpr int kLargestReadLength = 1 << 20;  // one read never needs more

constexpr int kButtonHeight = 41;
constexpr int kStartWidth = 816;
constexpr int kStartHeight = 516;

QPushButton *ToolButton(QWidget *parent) {
  auto *button = new QPushButton(parent);
  button->setMinimumHeight(kButtonHeight);
  return button;
}

// "3 times", "3次": the language file cannot keep a leading blank.
QString CounterText(int counter, const QString &suffix) {
  const bool word = !suffix.isEmpty() && suffix[0].script() == QChar::Script_Latin;
  return QString::number(counter) + (word ? QStringLiteral(" ") : QString()) + suffix;
}

QString Filled(QString pattern, const QString &value) {
  return pattern.replace(QLatin1String("{0}"), value);
}

QHBoxLayout *Row(std::initializer_list<QWidget *> widgets) {
  auto *row = new QHBoxLayout;
  for (QWidget *w : widgets) row->addWidget(w);
  row->addStretch();
  return row;
}

}  // namespace

T_frmCommandTest::T_frmCommandTest(QWidget *parent) : QDialog(parent) {
  setWindowFlags(Qt::Dialog | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                 Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);
  BuildControls();
  resize(kStartWidth, kStartHeight);
}

T_frmCommandTest::~T_frmCommandTest() {
  if (cycling_) StopCycle();
}

void T_frmCommandTest::BuildControls() {
  txtLoadFileName = new QLineEdit(this);
  txtLoadFileName->setReadOnly(true);
  btnLoadFile = new QPushButton(this);
  tabCommandPages = new QTabWidget(this);
  for (size_t i = 0; i < RE.size(); ++i) {
    RE[i] = new QPlainTextEdit;
    RE[i]->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    tabCommandPages->addTab(RE[i], QString::number(i + 1));
  }
  lblReadData = new QLabel(this);
  btnReadData = new QPushButton(this);
  btnSaveLog = new QPushButton(this);
  // The log lines up hexadecimal and ASCII columns.
  txtReadData = new QPlainTextEdit(this);
  txtReadData->setReadOnly(true);
  txtReadData->setLineWrapMode(QPlainTextEdit::NoWrap);
  txtReadData->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));

  gpbDataType = new QGroupBox(this);
  rdoChar = new QRadioButton(gpbDataType);
  rdoHex = new QRadioButton(gpbDataType);
  rdoHex->setChecked(true);
  auto *types = new QHBoxLayout(gpbDataType);
  types->addWidget(rdoChar);
  types->addWidget(rdoHex);
  chkRecycle = new QCheckBox(this);
  lblRecycleTimes = new QLabel(this);
  lblRecycleTerTime = new QLabel(this);
  txtSleepTime = new QLineEdit(QStringLiteral("1000"), this);
  chkSendAndRead = new QCheckBox(this);
  lblReadDataLen = new QLabel(this);
  txtReadLen = new QLineEdit(QStringLiteral("256"), this);
  lblSendTip = new QLabel(QStringLiteral("发送成功！"), this);
  QFont tipFont = lblSendTip->font();
  tipFont.setPointSizeF(tipFont.pointSizeF() * 1.5);
  lblSendTip->setFont(tipFont);
  lblSendTip->hide();
  btnSend = ToolButton(this);
  btnClearCurTab = ToolButton(this);
  btnClearAllTab = ToolButton(this);
  btnClose = ToolButton(this);
  timHintTip = new QTimer(this);
  timHintTip->setInterval(kHintMs);
  timSend = new QTimer(this);

  auto *left = new QVBoxLayout;
  auto *fileRow = new QHBoxLayout;
  fileRow->addWidget(txtLoadFileName, 1);
  fileRow->addWidget(btnLoadFile);
  left->addLayout(fileRow);
  left->addWidget(tabCommandPages, 3);
  left->addLayout(Row({lblReadData, btnReadData, btnSaveLog}));
  left->addWidget(txtReadData, 2);
  auto *right = new QVBoxLayout;
  right->addWidget(gpbDataType);
  right->addLayout(Row({chkRecycle, lblRecycleTimes}));
  right->addLayout(Row({lblRecycleTerTime, txtSleepTime, new QLabel(QStringLiteral("ms"), this)}));
  right->addWidget(chkSendAndRead);
  right->addLayout(Row({lblReadDataLen, txtReadLen}));
  right->addWidget(lblSendTip);
  right->addStretch();
  activity_ = new PrinterActivity(this);
  activity_->Guard({btnSend, btnReadData, btnLoadFile});
  right->addWidget(activity_);
  for (QPushButton *b : {btnSend, btnClearCurTab, btnClearAllTab, btnClose}) right->addWidget(b);
  auto *columns = new QHBoxLayout(this);
  columns->addLayout(left, 1);
  columns->addLayout(right);

  connect(rdoHex, &QRadioButton::toggled, this, &T_frmCommandTest::DataTypeChanged);
  connect(btnLoadFile, &QPushButton::clicked, this, &T_frmCommandTest::btnLoadFileClick);
  connect(btnSend, &QPushButton::clicked, this, &T_frmCommandTest::btnSendClick);
  connect(btnReadData, &QPushButton::clicked, this, &T_frmCommandTest::btnReadDataClick);
  connect(btnSaveLog, &QPushButton::clicked, this, &T_frmCommandTest::btnSaveLogClick);
  connect(btnClearCurTab, &QPushButton::clicked, this, &T_frmCommandTest::btnClearCurTabClick);
  connect(btnClearAllTab, &QPushButton::clicked, this, &T_frmCommandTest::btnClearAllTabClick);
  connect(btnClose, &QPushButton::clicked, this, &QDialog::reject);
  connect(timSend, &QTimer::timeout, this, &T_frmCommandTest::timSendTimer);
  connect(timHintTip, &QTimer::timeout, this, [this] {
    lblSendTip->hide();
    timHintTip->stop();
  });
}

void T_frmCommandTest::showEvent(QShowEvent *event) {
  QDialog::showEvent(event);
  if (!event->spontaneous()) FormShow();
}

void T_frmCommandTest::done(int result) {
  activity_->Cancel();  // closing does not wait for a slow printer
  QDialog::done(result);
}

void T_frmCommandTest::hideEvent(QHideEvent *event) {
  // Closing the window ends a running cycle and releases the port.
  if (cycling_ && !event->spontaneous()) StopCycle();
  QDialog::hideEvent(event);
}

void T_frmCommandTest::FormShow() {
  setWindowIcon(ToolWindowIcon());
  counter_ = 0;
  setWindowTitle(GetLangString(QStringLiteral("FormCommandTest_Caption")));
  btnLoadFile->setText(GetLangString(QStringLiteral("FormCommandTest_btnLoadFilee")));
  lblReadData->setText(GetLangString(QStringLiteral("FormCommandTest_lblReadData")));
  btnReadData->setText(GetLangString(QStringLiteral("FormCommandTest_btnReadData")));
  btnSaveLog->setText(GetLangString(QStringLiteral("FormCommandTest_btnSaveLog")));
  gpbDataType->setTitle(GetLangString(QStringLiteral("FormCommandTest_gpbDataType")));
  rdoChar->setText(GetLangString(QStringLiteral("FormCommandTest_rdoChar")));
  rdoHex->setText(GetLangString(QStringLiteral("FormCommandTest_rdoHex")));
  chkRecycle->setText(GetLangString(QStringLiteral("FormCommandTest_chkRecycle")));
  lblRecycleTerTime->setText(GetLangString(QStringLiteral("FormCommandTest_lblRecycleTerTime")));
  chkSendAndRead->setText(GetLangString(QStringLiteral("FormCommandTest_chkSendAndRead")));
  lblReadDataLen->setText(GetLangString(QStringLiteral("FormCommandTest_lblReadDataLen")));
  btnClearCurTab->setText(GetLangString(QStringLiteral("FormCommandTest_btnClearCurTab")));
  btnClearAllTab->setText(GetLangString(QStringLiteral("FormCommandTest_btnClearAllTab")));
  btnClose->setText(Msg.Close);
  sendCaption_ = GetLangString(QStringLiteral("FormCommandTest_btnSend1"));
  stopCaption_ = GetLangString(QStringLiteral("FormCommandTest_btnSend2"));
  counterSuffix_ = GetLangString(QStringLiteral("FormCommandTest_lblRecycleTimes"));
  lblRecycleTimes->setText(CounterText(counter_, counterSuffix_));
  btnSend->setText(cycling_ ? stopCaption_ : sendCaption_);

  const ServiceResult known =
      PrinterLink::CheckModel(mdlGlobal::SelectedModel, PrinterLibrary::Esc);
  if (!known.ok()) ShowErrorCode(known.Text(), known.code);
}

QPlainTextEdit *T_frmCommandTest::CurrentPage() const {
  return RE[static_cast<size_t>(std::max(0, tabCommandPages->currentIndex()))];
}

void T_frmCommandTest::DataTypeChanged(bool hex) {
  QPlainTextEdit *page = CurrentPage();
  if (hex) return page->setPlainText(PageTextToHex(page->toPlainText()));
  const PageAsText text = PageHexToText(page->toPlainText());
  if (text.text) return page->setPlainText(*text.text);
  // The page stays hexadecimal rather than send other bytes.
  {
    const QSignalBlocker quiet(rdoHex);
    rdoHex->setChecked(true);
  }
  if (text.badPiece) {
    return ShowError(
        Filled(GetLangString(QStringLiteral("FormCommandTest_MSGBadHex")), *text.badPiece));
  }
  ShowError(GetLangString(QStringLiteral("FormCommandTest_MSGNotText")));
}

void T_frmCommandTest::btnLoadFileClick() {
  QString path = ChooseFileToOpen(this);
  if (path.isEmpty()) return;
  txtLoadFileName->setText(path);
  LoadedPage loaded = LoadPageFile(path, rdoHex->isChecked());
  if (loaded.error) {
    ShowPlain(*loaded.error);
    return;
  }
  CurrentPage()->setPlainText(loaded.text);
}

void T_frmCommandTest::btnSendClick() {
  if (cycling_) {
    StopCycle();
  } else {
    StartSend();
  }
}

void T_frmCommandTest::StartSend() {
  // The boxes are checked before the port is touched, so a bad box sends
  // nothing.
  BoxNumber length = ReadBoxNumber(txtReadLen->text(), 0, kLargestReadLength);
  if (length.error) return ShowError(*length.error);
  BoxNumber interval{};
  if (chkRecycle->isChecked()) {
    interval = ReadBoxNumber(txtSleepTime->text(), 0, INT32_MAX);
    if (interval.error) return ShowError(*interval.error);
  }
  QByteArray buffer = PageBuffer(CurrentPage()->toPlainText());
  QByteArray bytes = buffer;
  if (rdoHex->isChecked()) {
    HexCommand command = ParseHexCommand(buffer);
    // A partly converted command would send wrong bytes; nothing goes out.
    if (command.badPiece) return ShowError(QStringLiteral("Command Error!"));
    bytes = command.bytes;
  }

  readLength_ = length.value;
  sendBytes_ = bytes;
  if (chkRecycle->isChecked()) return StartCycle(interval.value);
  SendOnce();
}

void T_frmCommandTest::SendOnce() {
  const PrinterTarget printer = mdlGlobal::SelectedPrinter(PrinterLibrary::Esc);
  const QByteArray bytes = sendBytes_;
  const int32_t length = chkSendAndRead->isChecked() ? readLength_ : 0;
  activity_->Run<ServiceAnswer<QByteArray>>(
      [printer, bytes, length](const TaskControl &control) {
        const PrinterService service(printer, &control);
        if (length > 0) return service.SendAndRead(bytes, length, 1);
        return ServiceAnswer<QByteArray>{service.Send(bytes), {}};
      },
      [this, length](ServiceAnswer<QByteArray> sent) { Sent(sent, length > 0); });
}

void T_frmCommandTest::Sent(const ServiceAnswer<QByteArray> &sent, bool read) {
  const ServiceMessage failed = sent.result.message;
  if (failed == ServiceMessage::CreatePrinter || failed == ServiceMessage::OpenPort) {
    return ShowErrorCode(sent.result.Text(), sent.result.code);
  }
  lblSendTip->show();
  timHintTip->start();
  if (failed == ServiceMessage::WriteData)
    return ShowErrorCode(sent.result.Text(), sent.result.code);
  if (!read) return;
  if (sent.value.isEmpty()) return ShowError(Msg.Err_ReadData);
  AppendReceived(sent.value);
}

void T_frmCommandTest::StartCycle(int intervalMs) {
  const PrinterTarget printer = mdlGlobal::SelectedPrinter(PrinterLibrary::Esc);
  struct Opened {
    std::shared_ptr<PrinterLink> link;
    ServiceResult result;
  };
  // The connection stays open from the first tick until the cycle stops.
  activity_->Run<Opened>(
      [printer](const TaskControl &) {
        Opened opened;
        opened.link = PrinterService(printer).Connect(opened.result);
        return opened;
      },
      [this, intervalMs](Opened opened) {
        if (!opened.link) return ShowErrorCode(opened.result.Text(), opened.result.code);
        link_ = std::move(opened.link);
        cycling_ = true;
        btnSend->setText(stopCaption_);
        timSend->setInterval(intervalMs);
        timSend->start();
      });
}

void T_frmCommandTest::StopCycle() {
  cycling_ = false;
  btnSend->setText(sendCaption_);
  timSend->stop();
  ticks_.Cancel();
  // A tick still running holds the connection; the last holder closes it.
  link_.reset();
}

void T_frmCommandTest::timSendTimer() {
  // A printer slower than the interval skips ticks rather than piling them up.
  if (!link_ || ticks_.Busy()) return;
  const std::shared_ptr<PrinterLink> link = link_;
  const QByteArray bytes = sendBytes_;
  const int32_t length = chkSendAndRead->isChecked() ? readLength_ : 0;
  ticks_.Start<QByteArray>(
      [link, bytes, length](const TaskControl &) {
        link->Write(bytes);
        if (length == 0 || !link->Pause(kAnswerPauseMs)) return QByteArray();
        return link->Read(length, 0, 1).bytes;
      },
      [this](QByteArray answer) {
        ++counter_;
        lblRecycleTimes->setText(CounterText(counter_, counterSuffix_));
        AppendReceived(answer);
      });
}

void T_frmCommandTest::btnReadDataClick() {
  // The box says how much to read, also before the first send.
  const BoxNumber length = ReadBoxNumber(txtReadLen->text(), 0, kLargestReadLength);
  if (length.error) return ShowError(*length.error);
  // During a cycle the port is already open; opening again would cut it off.
  if (link_) {
    const std::shared_ptr<PrinterLink> link = link_;
    const int32_t bytes = length.value;
    ticks_.Start<QByteArray>(
        [link, bytes](const TaskControl &) { return link->Read(bytes, kAnswerPauseMs, 2).bytes; },
        [this](QByteArray answer) { LogRead(answer); });
    return;
  }
  const PrinterTarget printer = mdlGlobal::SelectedPrinter(PrinterLibrary::Esc);
  const int32_t bytes = length.value;
  activity_->Run<ServiceAnswer<QByteArray>>(
      [printer, bytes](const TaskControl &control) {
        return PrinterService(printer, &control).Read(bytes, 2);
      },
      [this](ServiceAnswer<QByteArray> read) {
        // A printer that cannot be reached says so; a quiet one is logged.
        if (!read.ok()) return ShowServiceError(read.result);
        LogRead(read.value);
      });
}

void T_frmCommandTest::LogRead(const QByteArray &answer) {
  if (!answer.isEmpty()) return AppendReceived(answer);
  AppendLog(
      LogNote(QTime::currentTime(), GetLangString(QStringLiteral("FormCommandTest_LogNothing"))));
}

void T_frmCommandTest::AppendReceived(const QByteArray &bytes) {
  if (bytes.isEmpty()) return;
  AppendLog(ReceivedLogEntry(QTime::currentTime(), bytes));
}

void T_frmCommandTest::AppendLog(const QString &entry) {
  QTextCursor end = txtReadData->textCursor();
  end.movePosition(QTextCursor::End);
  end.insertText(entry);
  txtReadData->setTextCursor(end);
  txtReadData->ensureCursorVisible();
}

void T_frmCommandTest::btnSaveLogClick() {
  const QString path = ChooseFileToSave(this, QStringLiteral("command-log.txt"),
                                        GetLangString(QStringLiteral("FormCommandTest_LogFilter")));
  if (path.isEmpty()) return;
  QFile file(path);
  const QByteArray text = txtReadData->toPlainText().toUtf8();
  if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text) != text.size() ||
      !file.flush()) {
    ShowError(Filled(GetLangString(QStringLiteral("_Err_FileWrite")), path) + QStringLiteral("\n") +
              file.errorString());
  }
}

void T_frmCommandTest::btnClearCurTabClick() {
  CurrentPage()->clear();
  txtReadData->clear();
}

void T_frmCommandTest::btnClearAllTabClick() {
  for (QPlainTextEdit *page : RE) page->clear();
  txtReadData->clear();
}

}  // namespace ravo::utility
