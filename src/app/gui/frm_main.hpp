#pragma once
// The program's home: where the games are, the module buttons with their explanations, and
// the menus.
#include <functional>

#include <QMainWindow>

#include "core/messages.hpp"
#include "games/app_state.hpp"

class QLabel;
class QLayout;
class QLineEdit;
class QTimer;

namespace korvane {

class frmMain : public QMainWindow {
    Q_OBJECT
  public:
    frmMain(AppState& state, MessageSink& sink, QWidget* parent = nullptr);

    // Puts the texts of the run's language on the window again, once the language chooser has
    // picked one after the window was made.
    void SetLanguageTexts();

    // What start-up puts into the window before it is shown.
    void SetPathTexts(const std::string& f1Display, const std::string& f1cDisplay);
    void SetVersionText(const std::string& versionText);

    void OpenHarmonizer();
    void OpenGripModule();
    void OpenLanCheck();
    void ChangeLanguage();

    // The information windows are wired from outside: each returns the menu item by its name.
    QAction* UpdateAction() const { return mnuUpdate_; }
    QAction* HistoryAction() const { return mnuHistory_; }
    QAction* AboutAction() const { return mnuHelpAbout_; }

    // The file dialog of the browse buttons: (owner, title, filter) -> chosen file or empty.
    using FileChooser = std::function<QString(QWidget*, const QString&, const QString&)>;
    void SetFileChooser(FileChooser chooser) { fileChooser_ = std::move(chooser); }
    // Module windows are shown modally; with false they are only shown, so that a caller
    // that cannot wait (a test, a screenshot) can drive them.
    void SetModalWindows(bool modal) { modalWindows_ = modal; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

  private:
    void RecaptionInEnglish();
    // The parts of the window, each made with its controls, their layout and their wiring.
    QLayout* BuildLogo(QWidget* central);
    QLayout* BuildGamesAndModules(QWidget* central);
    QWidget* BuildModules(QWidget* central);
    void BuildInfoBox(QWidget* central);
    void BuildStatusBar();
    void BuildMenus();
    void BrowseF1();
    void BrowseF1c();
    void OpenHomepage();
    void ShowInfo(const std::string& text);
    void UpdateClock();
    void Present(QDialog* window);

    AppState& state_;
    MessageSink& sink_;
    FileChooser fileChooser_;
    bool modalWindows_ = true;

    QLineEdit* txtF1path_ = nullptr;
    QLineEdit* txtF1cpath_ = nullptr;
    QLabel* lblInfo_ = nullptr;
    QLabel* lblVersion_ = nullptr;
    QLabel* panelStatus_ = nullptr;
    QLabel* panelDate_ = nullptr;
    QLabel* panelTime_ = nullptr;
    QWidget* btnHarmonize_ = nullptr;
    QWidget* btnGrip_ = nullptr;
    QWidget* frmModul_ = nullptr;
    QAction* mnuUpdate_ = nullptr;
    QAction* mnuHistory_ = nullptr;
    QAction* mnuHelpAbout_ = nullptr;
    QTimer* clock_ = nullptr;
};

} // namespace korvane
