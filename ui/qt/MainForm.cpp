#include "ui/qt/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QTimer>
#include <chrono>
#include <exception>
#include <thread>

#include "art/ArtLoader.h"
#include "ui/qt/ArtTiles.h"
#include "ui/qt/Boxes.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/FormAbout.h"
#include "ui/qt/MenuCheckStyle.h"
#include "ui/qt/NameCodec.h"
#include "ui/qt/PictureView.h"
#include "ui/qt/ScoreForm.h"
#include "ui/qt/TimeGauge.h"
#include "ui/qt/WindowPlacement.h"

namespace quenlow {

namespace {

constexpr int kClientWidth = BoardPicture::kWidth;
constexpr int kClientHeight = BoardPicture::kHeight;
constexpr int kTimerPeriodMs = 3000;
const QColor kYellowText(255, 255, 0);

QColor GaugeQColor(GaugeColor color) {
  switch (color) {
    case GaugeColor::Green:
      return QColor(0, 128, 0);
    case GaugeColor::Yellow:
      return QColor(255, 255, 0);
    case GaugeColor::Red:
      return QColor(255, 0, 0);
  }
  return QColor(0, 128, 0);
}

QString Text(const std::string& utf8) {
  return QString::fromStdString(utf8);
}

QAction* MakeAction(QWidget* owner, const char* name, const QString& caption,
                    const QKeySequence& shortcut = QKeySequence()) {
  auto* action = new QAction(caption, owner);
  action->setObjectName(QLatin1String(name));
  if (!shortcut.isEmpty()) {
    action->setShortcut(shortcut);
    // The function keys work from the leaderboard too, which stands beside the game; a
    // modal box still holds them back.
    action->setShortcutContext(Qt::ApplicationShortcut);
  }
  return action;
}

}  // namespace

TMainForm::TMainForm() : TMainForm(ScoreFilePath()) {}

TMainForm::TMainForm(std::string scoreFilePath)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      game_(random_),
      records_(std::move(scoreFilePath)),
      drawing_(game_, picture_, tiles_),
      flow_(game_, records_, drawing_, *this) {
  setObjectName(QStringLiteral("MainForm"));
  setWindowTitle(QStringLiteral("Quenlow"));
  setWindowIcon(art::ProgramIcon());
  setFont(ArialFont(11));
  CreateControls();
  CreateMenu();
  layout()->setSizeConstraint(QLayout::SetFixedSize);
  KeepOuterTopLeft(this, QPoint(300, 138));
  FormCreate();
  // The leaderboard comes next, hidden, showing the records just loaded.
  ScoreForm = new TScoreForm(
      records_,
      [this] {
        LoadTiles();
        return flow_.ResetClick();
      },
      this);
}

TMainForm::~TMainForm() = default;

void TMainForm::FormCreate() {
  records_.LoadRecords();
}

void TMainForm::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  // Created bottom first: each control is drawn over the ones made before it.
  Image = new BoardView(picture_, client);
  Image->setObjectName(QStringLiteral("Image"));
  Image->setGeometry(0, 0, kClientWidth, kClientHeight);
  Image->SetPressHandler([this](int x, int y) { ImageMouseDown(x, y); });

  Imagepause = new PictureView(client);
  Imagepause->setObjectName(QStringLiteral("Imagepause"));
  Imagepause->setGeometry(0, 0, kClientWidth, kClientHeight);
  Imagepause->hide();  // its picture is read at the first pause

  Gauge1 = new TimeGauge(client);
  Gauge1->setObjectName(QStringLiteral("Gauge1"));
  Gauge1->setGeometry(312, 8, 209, 25);
  Gauge1->hide();

  LevelBox = new QLabel(client);
  LevelBox->setObjectName(QStringLiteral("LevelBox"));
  LevelBox->setGeometry(8, 8, 300, 33);
  LevelBox->setFont(ArialFont(20));
  LevelBox->setTextFormat(Qt::PlainText);
  LevelBox->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  {
    QPalette colours = LevelBox->palette();
    colours.setColor(QPalette::WindowText, kYellowText);
    LevelBox->setPalette(colours);
  }

  scorebox = new QLabel(QStringLiteral("0"), client);
  scorebox->setObjectName(QStringLiteral("scorebox"));
  scorebox->setFont(ArialFont(21, true, true));
  scorebox->setTextFormat(Qt::PlainText);
  scorebox->setAutoFillBackground(true);
  {
    QPalette colours = scorebox->palette();
    colours.setColor(QPalette::WindowText, kYellowText);
    colours.setColor(QPalette::Window, Qt::black);
    scorebox->setPalette(colours);
  }
  scorebox->move(552, 8);
  // Hidden until a game starts, and sized to its text whenever the text is set: measuring it
  // now would load its bold italic face while the window opens.
  scorebox->hide();

  Timer1 = new QTimer(this);
  Timer1->setObjectName(QStringLiteral("Timer1"));
  Timer1->setInterval(kTimerPeriodMs);
  connect(Timer1, &QTimer::timeout, this, &TMainForm::Timer1Timer);
}

void TMainForm::CreateMenu() {
  MainMenu1 = menuBar();
  MainMenu1->setObjectName(QStringLiteral("MainMenu1"));
  // The menu keeps the desktop's own face and size rather than the window's small one.
  MainMenu1->setFont(QApplication::font(MainMenu1));

  NGame = MainMenu1->addMenu(QStringLiteral("游戏(&G)"));
  NGame->setObjectName(QStringLiteral("NGame"));
  NGame->menuAction()->setObjectName(QStringLiteral("NGame"));
  NEasy = MakeAction(this, "NEasy", QStringLiteral("简单"), Qt::Key_F2);
  NNormal = MakeAction(this, "NNormal", QStringLiteral("普通"), Qt::Key_F3);
  NHard = MakeAction(this, "NHard", QStringLiteral("困难"), Qt::Key_F4);
  NSequence = MakeAction(this, "NSequence", QStringLiteral("排行榜"));
  NGame->addAction(NEasy);
  NGame->addAction(NNormal);
  NGame->addAction(NHard);
  N3 = NGame->addSeparator();
  N3->setObjectName(QStringLiteral("N3"));
  NGame->addAction(NSequence);

  NFunction = MainMenu1->addMenu(QStringLiteral("功能(&T)"));
  NFunction->setObjectName(QStringLiteral("NFunction"));
  NFunction->menuAction()->setObjectName(QStringLiteral("NFunction"));
  NEliminate = MakeAction(this, "NEliminate", QStringLiteral("自动消除一对"), Qt::Key_F6);
  NHint = MakeAction(this, "NHint", QStringLiteral("提示"), Qt::Key_F7);
  NShuffle = MakeAction(this, "NShuffle", QStringLiteral("洗牌"), Qt::Key_F8);
  NPause = MakeAction(this, "NPause", QStringLiteral("暂停"), Qt::Key_F9);
  NPause->setCheckable(true);
  new MenuCheckStyle(NFunction);  // the pause item: a check mark only while paused
  NFunction->addAction(NEliminate);
  NFunction->addAction(NHint);
  NFunction->addAction(NShuffle);
  NFunction->addAction(NPause);

  NHelp = MakeAction(this, "NHelp", QStringLiteral("帮助(&H)"));
  NAbout = MakeAction(this, "NAbout", QStringLiteral("关于(&A)"));
  NQuit = MakeAction(this, "NQuit", QStringLiteral("退出(&X)"));
  MainMenu1->addAction(NHelp);
  MainMenu1->addAction(NAbout);
  MainMenu1->addAction(NQuit);

  connect(NEasy, &QAction::triggered, this, [this] { Forward([this] { flow_.NEasyClick(); }); });
  connect(NNormal, &QAction::triggered, this,
          [this] { Forward([this] { flow_.NNormalClick(); }); });
  connect(NHard, &QAction::triggered, this, [this] { Forward([this] { flow_.NHardClick(); }); });
  connect(NSequence, &QAction::triggered, this,
          [this] { Forward([this] { flow_.NSequenceClick(); }); });
  connect(NEliminate, &QAction::triggered, this,
          [this] { Forward([this] { flow_.NEliminateClick(); }); });
  connect(NHint, &QAction::triggered, this, [this] { Forward([this] { flow_.NHintClick(); }); });
  connect(NShuffle, &QAction::triggered, this,
          [this] { Forward([this] { flow_.NShuffleClick(); }); });
  // The check mark has already turned over when this runs; the flow sets it again to match.
  connect(NPause, &QAction::triggered, this, [this] { Forward([this] { flow_.NPauseClick(); }); });
  connect(NHelp, &QAction::triggered, this, [this] { Forward([this] { flow_.NHelpClick(); }); });
  connect(NAbout, &QAction::triggered, this, [this] { Forward([this] { flow_.NAboutClick(); }); });
  connect(NQuit, &QAction::triggered, this, [this] { Forward([this] { flow_.NQuitClick(); }); });
}

template <typename F>
void TMainForm::Forward(F&& handler) {
  // The flow guards its own handlers; this keeps anything else from crossing the event loop.
  try {
    LoadTiles();
    handler();
  } catch (const std::exception& error) {
    ShowError(std::string(error.what()) + ".");
  }
  Image->Refresh();
}

void TMainForm::LoadTiles() {
  if (tilesLoaded_) return;
  tiles_ = LoadTilePictures();
  tilesLoaded_ = true;
}

void TMainForm::ImageMouseDown(int x, int y) {
  Forward([this, x, y] { flow_.ImageMouseDown(x, y); });
}

void TMainForm::Timer1Timer() {
  Forward([this] { flow_.Timer1Timer(); });
}

void TMainForm::ShowMessage(const std::string& text) {
  // The board behind the box shows what was drawn up to now, e.g. the emptied board.
  Image->Refresh();
  RunMessageBox(this, Text(text));
}

bool TMainForm::AskQuestion(const std::string& text) {
  Image->Refresh();
  return RunQuestionBox(this, Text(text));
}

std::string TMainForm::AskName(const std::string& title, const std::string& prompt) {
  Image->Refresh();
  return ToNameBytes(RunNameEntryBox(this, Text(title), Text(prompt)));
}

void TMainForm::ShowError(const std::string& text) {
  Image->Refresh();
  RunErrorBox(this, Text(text));
}

void TMainForm::SetGauge(int value, GaugeColor color) {
  Gauge1->SetValue(value);
  Gauge1->SetBarColor(GaugeQColor(color));
}

void TMainForm::SetGaugeVisible(bool visible) {
  Gauge1->setVisible(visible);
}

void TMainForm::SetLevelText(const std::string& text) {
  LevelBox->setText(Text(text));
}

void TMainForm::SetScoreText(const std::string& text) {
  scorebox->setText(Text(text));
  scorebox->adjustSize();
}

void TMainForm::SetScoreVisible(bool visible) {
  scorebox->setVisible(visible);
}

void TMainForm::SetTimerRunning(bool running) {
  // Switching on a running timer must not start its period again.
  if (running) {
    if (!Timer1->isActive()) Timer1->start();
  } else {
    Timer1->stop();
  }
}

void TMainForm::SetBoardEnabled(bool enabled) {
  Image->setEnabled(enabled);
}

void TMainForm::SetPaused(bool paused) {
  if (paused && Imagepause->Image().isNull()) Imagepause->SetImage(art::PausePicture());
  Imagepause->setVisible(paused);
  NPause->setChecked(paused);
}

void TMainForm::RepaintBoard() {
  Image->RepaintNow();
}

void TMainForm::Wait(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void TMainForm::ShowLeaderboard() {
  if (ScoreForm != nullptr) ScoreForm->Show();
}

void TMainForm::ShowAbout() {
  TFormAbout about(this, QPixmap::fromImage(art::IconImage()));
  about.exec();
}

void TMainForm::CloseWindow() {
  close();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  // A running game is dropped as it stands; the leaderboard goes with the window.
  Timer1->stop();
  if (ScoreForm != nullptr) ScoreForm->hide();
  event->accept();
}

}  // namespace quenlow
