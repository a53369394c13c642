#include "ui/qt/MainForm.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QLayout>
#include <QMenu>
#include <QMenuBar>
#include <QScreen>
#include <QTimer>
#include <QWindow>
#include <chrono>
#include <exception>
#include <thread>

#include "art/ArtLoader.h"
#include "ui/qt/ArtTiles.h"
#include "ui/qt/Boxes.h"
#include "ui/qt/Fonts.h"
#include "ui/qt/FormAbout.h"
#include "ui/qt/MenuCheckStyle.h"
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

// Where an item of the menu sits.
enum class Place { GameMenu, FunctionMenu, MenuBar };

struct MenuTitle {
  Place place;
  const char* name;
  const char* caption;
};
const MenuTitle kMenus[] = {
    {Place::GameMenu, "GameMenu", "游戏(&G)"},
    {Place::FunctionMenu, "FunctionMenu", "功能(&T)"},
};

struct MenuItem {
  Place place;
  const char* name;
  const char* caption;  // none for a separator
  int key;              // 0 for none
  void (*command)(PlayFlow&);
};
const MenuItem kMenuItems[] = {
    {Place::GameMenu, "EasyCommand", "简单", Qt::Key_F2,
     [](PlayFlow& f) { f.NewGameCommand(Difficulty::Easy); }},
    {Place::GameMenu, "NormalCommand", "普通", Qt::Key_F3,
     [](PlayFlow& f) { f.NewGameCommand(Difficulty::Normal); }},
    {Place::GameMenu, "HardCommand", "困难", Qt::Key_F4,
     [](PlayFlow& f) { f.NewGameCommand(Difficulty::Hard); }},
    {Place::GameMenu, "GameMenuSeparator", nullptr, 0, nullptr},
    {Place::GameMenu, "LeaderboardCommand", "排行榜", 0,
     [](PlayFlow& f) { f.LeaderboardCommand(); }},
    {Place::FunctionMenu, "RemovePairCommand", "自动消除一对", Qt::Key_F6,
     [](PlayFlow& f) { f.RemovePairCommand(); }},
    {Place::FunctionMenu, "HintCommand", "提示", Qt::Key_F7, [](PlayFlow& f) { f.HintCommand(); }},
    {Place::FunctionMenu, "ShuffleCommand", "洗牌", Qt::Key_F8,
     [](PlayFlow& f) { f.ShuffleCommand(); }},
    // The check mark has already turned over when this runs; the flow sets it again to match.
    {Place::FunctionMenu, "PauseCommand", "暂停", Qt::Key_F9,
     [](PlayFlow& f) { f.PauseCommand(); }},
    {Place::MenuBar, "HelpCommand", "帮助(&H)", 0, [](PlayFlow& f) { f.HelpCommand(); }},
    {Place::MenuBar, "AboutCommand", "关于(&A)", 0, [](PlayFlow& f) { f.AboutCommand(); }},
    {Place::MenuBar, "QuitCommand", "退出(&X)", 0, [](PlayFlow& f) { f.QuitCommand(); }},
};
constexpr const char* kPauseCommand = "PauseCommand";

}  // namespace

TMainForm::TMainForm() : TMainForm(RecordsLocationOfThisProgram()) {}

TMainForm::TMainForm(const RecordsLocation& location) : TMainForm(location.scoreFile) {
  records_.MakesFolder = location.perUser;
}

TMainForm::TMainForm(std::string scoreFilePath)
    : QMainWindow(nullptr, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                               Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint |
                               Qt::WindowCloseButtonHint),
      game_(random_),
      records_(std::move(scoreFilePath)),
      picture_(BoardPicture::ScaleForRatio(devicePixelRatioF())),
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
  LoadRecords();
  // The leaderboard comes next, hidden, showing the records just loaded.
  leaderboard_ = new TScoreForm(
      records_,
      [this] {
        LoadTiles();
        return flow_.ResetRecordsCommand();
      },
      this);
}

TMainForm::~TMainForm() = default;

void TMainForm::SetTickPeriod(int milliseconds) {
  tickTimer_->setInterval(milliseconds);
}

void TMainForm::LoadRecords() {
  records_.LoadRecords();
}

void TMainForm::CreateControls() {
  auto* client = new QWidget(this);
  client->setObjectName(QStringLiteral("Client"));
  client->setFixedSize(kClientWidth, kClientHeight);
  setCentralWidget(client);

  // Created bottom first: each control is drawn over the ones made before it.
  boardView_ = new BoardView(picture_, client);
  boardView_->setObjectName(QStringLiteral("BoardView"));
  boardView_->setGeometry(0, 0, kClientWidth, kClientHeight);
  boardView_->SetPressHandler([this](int x, int y) { BoardPress(x, y); });

  pausePicture_ = new PictureView(client);
  pausePicture_->setObjectName(QStringLiteral("PausePicture"));
  pausePicture_->setGeometry(0, 0, kClientWidth, kClientHeight);
  pausePicture_->hide();  // its picture is read at the first pause

  timeBar_ = new TimeGauge(client);
  timeBar_->setObjectName(QStringLiteral("TimeBar"));
  timeBar_->setGeometry(312, 8, 209, 25);
  timeBar_->hide();

  levelLabel_ = new QLabel(client);
  levelLabel_->setObjectName(QStringLiteral("LevelLabel"));
  levelLabel_->setGeometry(8, 8, 300, 33);
  levelLabel_->setFont(ArialFont(20));
  levelLabel_->setTextFormat(Qt::PlainText);
  levelLabel_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
  {
    QPalette colours = levelLabel_->palette();
    colours.setColor(QPalette::WindowText, kYellowText);
    levelLabel_->setPalette(colours);
  }

  scoreLabel_ = new QLabel(QStringLiteral("0"), client);
  scoreLabel_->setObjectName(QStringLiteral("ScoreLabel"));
  scoreLabel_->setFont(ArialFont(21, true, true));
  scoreLabel_->setTextFormat(Qt::PlainText);
  scoreLabel_->setAutoFillBackground(true);
  {
    QPalette colours = scoreLabel_->palette();
    colours.setColor(QPalette::WindowText, kYellowText);
    colours.setColor(QPalette::Window, Qt::black);
    scoreLabel_->setPalette(colours);
  }
  scoreLabel_->move(552, 8);
  // Hidden until a game starts, and sized to its text whenever the text is set: measuring it
  // now would load its bold italic face while the window opens.
  scoreLabel_->hide();

  tickTimer_ = new QTimer(this);
  tickTimer_->setObjectName(QStringLiteral("TickTimer"));
  tickTimer_->setInterval(kTimerPeriodMs);
  connect(tickTimer_, &QTimer::timeout, this, &TMainForm::Tick);
}

void TMainForm::CreateMenu() {
  QMenuBar* bar = menuBar();
  bar->setObjectName(QStringLiteral("MenuBar"));
  // The menu keeps the desktop's own face and size rather than the window's small one.
  bar->setFont(QApplication::font(bar));

  QMenu* menus[2] = {};
  for (const MenuTitle& title : kMenus) {
    QMenu* menu = bar->addMenu(QString::fromUtf8(title.caption));
    menu->setObjectName(QLatin1String(title.name));
    menu->menuAction()->setObjectName(QLatin1String(title.name));
    menus[static_cast<int>(title.place)] = menu;
  }
  for (const MenuItem& item : kMenuItems) {
    QMenu* menu = item.place == Place::MenuBar ? nullptr : menus[static_cast<int>(item.place)];
    if (item.caption == nullptr) {
      menu->addSeparator()->setObjectName(QLatin1String(item.name));
      continue;
    }
    auto* action = new QAction(QString::fromUtf8(item.caption), this);
    action->setObjectName(QLatin1String(item.name));
    if (item.key != 0) {
      action->setShortcut(QKeySequence(item.key));
      // The function keys work from the leaderboard too, which stands beside the game; a
      // modal box still holds them back.
      action->setShortcutContext(Qt::ApplicationShortcut);
    }
    if (menu != nullptr) {
      menu->addAction(action);
    } else {
      bar->addAction(action);
    }
    const auto command = item.command;
    connect(action, &QAction::triggered, this,
            [this, command] { Forward([&] { command(flow_); }); });
  }
  pauseCommand_ = findChild<QAction*>(QLatin1String(kPauseCommand));
  pauseCommand_->setCheckable(true);
  // The pause item: a check mark only while paused.
  new MenuCheckStyle(menus[static_cast<int>(Place::FunctionMenu)]);
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
  boardView_->Refresh();
}

void TMainForm::LoadTiles() {
  if (tilesLoaded_) return;
  tiles_ = LoadTilePictures(picture_.Scale());
  tilesLoaded_ = true;
}

void TMainForm::LoadPausePicture() {
  QImage pause = art::PausePicture(picture_.Scale());
  pause.setDevicePixelRatio(picture_.Scale());
  pausePicture_->SetImage(pause);
}

void TMainForm::FollowScreenScale(qreal ratio) {
  const int scale = BoardPicture::ScaleForRatio(ratio);
  if (scale == picture_.Scale()) return;
  picture_ = BoardPicture(scale);
  if (tilesLoaded_) {
    tilesLoaded_ = false;
    LoadTiles();
    // What the board shows comes from the game: the tiles and a pending pick. A hint or a link
    // on show is drawn only for the moment and is not drawn again.
    drawing_.DrawBoard();
    const Pick& pick = flow_.CurrentPick();
    if (pick.Count == 1) drawing_.MarkCell(pick.X, pick.Y, Mark::Pick);
  }
  boardView_->Rebuild();
  if (!pausePicture_->Image().isNull()) LoadPausePicture();
}

void TMainForm::showEvent(QShowEvent* event) {
  QMainWindow::showEvent(event);
  // The window may open on another screen than the one it was made for, and may be moved to
  // a screen of another scale later.
  FollowScreenScale(devicePixelRatioF());
  if (QWindow* window = windowHandle(); window != nullptr && !screenFollowed_) {
    // The widget learns the new ratio only after this signal; the screen knows it already.
    connect(window, &QWindow::screenChanged, this, [this](QScreen* screen) {
      if (screen != nullptr) FollowScreenScale(screen->devicePixelRatio());
    });
    screenFollowed_ = true;
  }
}

void TMainForm::BoardPress(int x, int y) {
  Forward([this, x, y] { flow_.BoardPress(x, y); });
}

void TMainForm::Tick() {
  Forward([this] { flow_.Tick(); });
}

void TMainForm::ShowMessage(const std::string& text) {
  // The board behind the box shows what was drawn up to now, e.g. the emptied board.
  boardView_->Refresh();
  RunMessageBox(this, Text(text));
}

bool TMainForm::AskQuestion(const std::string& text) {
  boardView_->Refresh();
  return RunQuestionBox(this, Text(text));
}

std::string TMainForm::AskName(const std::string& title, const std::string& prompt) {
  boardView_->Refresh();
  return RunNameEntryBox(this, Text(title), Text(prompt)).toStdString();
}

void TMainForm::ShowError(const std::string& text) {
  boardView_->Refresh();
  RunErrorBox(this, Text(text));
}

void TMainForm::SetGauge(int value, GaugeColor color) {
  timeBar_->SetValue(value);
  timeBar_->SetBarColor(GaugeQColor(color));
}

void TMainForm::SetGaugeVisible(bool visible) {
  timeBar_->setVisible(visible);
}

void TMainForm::SetLevelText(const std::string& text) {
  levelLabel_->setText(Text(text));
}

void TMainForm::SetScoreText(const std::string& text) {
  scoreLabel_->setText(Text(text));
  scoreLabel_->adjustSize();
}

void TMainForm::SetScoreVisible(bool visible) {
  scoreLabel_->setVisible(visible);
}

void TMainForm::SetTimerRunning(bool running) {
  // Switching on a running timer must not start its period again.
  if (running) {
    if (!tickTimer_->isActive()) tickTimer_->start();
  } else {
    tickTimer_->stop();
  }
}

void TMainForm::SetBoardEnabled(bool enabled) {
  boardView_->setEnabled(enabled);
}

void TMainForm::SetPaused(bool paused) {
  if (paused && pausePicture_->Image().isNull()) LoadPausePicture();
  pausePicture_->setVisible(paused);
  pauseCommand_->setChecked(paused);
}

void TMainForm::RepaintBoard() {
  boardView_->RepaintNow();
}

void TMainForm::Wait(int milliseconds) {
  std::this_thread::sleep_for(std::chrono::milliseconds(milliseconds));
}

void TMainForm::ShowLeaderboard() {
  if (leaderboard_ != nullptr) leaderboard_->Show();
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
  tickTimer_->stop();
  if (leaderboard_ != nullptr) leaderboard_->hide();
  event->accept();
}

}  // namespace quenlow
