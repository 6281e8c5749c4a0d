#pragma once
// The main window frm1: commands, the three bars, the entry list beside the preview panel,
// the status bar, and the settings that live around them.
#include <QMainWindow>
#include <QStringList>
#include <memory>
#include <vector>

#include "core/settings/bar_layout.h"
#include "core/settings/command_table.h"
#include "core/settings/messages.h"
#include "gui/app/app_settings.h"

namespace varmelo {
class LanguageFile;
}

class QLabel;
class QMenuBar;
class QSplitter;
class QToolBar;

namespace varmelo::gui {

class AboutBox;
class ArchiveBrowser;
class CommandActions;
class CustomizeDialog;
class FormTranslator;
class MenuSet;
class PreviewPanel;
class Prompts;
class WindowPreviewHost;

class MainWindow : public QMainWindow {
    Q_OBJECT
public:
    // `arguments` is the command line (program name first); its first argument naming an
    // existing file is opened when the window is first shown.
    MainWindow(AppSettings& settings, Prompts& prompts, QStringList arguments, QWidget* parent = nullptr);
    ~MainWindow() override;

    CommandActions& commands() const { return *commands_; }
    MenuSet& menus() const { return *menus_; }
    ArchiveBrowser& browser() const { return *browser_; }
    PreviewPanel& previewPanel() const { return *preview_; }
    MessageTable& messages() { return messages_; }
    QToolBar* toolBar() const { return toolBar_; }
    QToolBar* menuBarStrip() const { return menuStrip_; }  // MainMenuBar1
    QMenuBar* programMenuBar() const { return programMenu_; }
    QLabel* statusPanel() const { return statusPanel_; }
    AboutBox* aboutBox() const { return about_; }
    const std::vector<LanguageInfo>& languageList() const { return languages_; }
    int startLanguage() const { return startLanguage_; }
    const BarLayout& barLayout() const { return layout_; }
    int menuStyle() const { return menuStyle_; }

    void showStatus(const QString& text);
    // A text about the row shown in the preview (what failed, what is missing): the next row
    // takes it away.
    void showRowStatus(const QString& text);
    // -1 native menu, 0 XP-styled bars, any other positive value the plain bars.
    void selectMenuStyle(int style);
    void setBarLayout(const BarLayout& layout);  // shows and stores it
    void applyLanguage(int index);
    // The bar customisation dialog in the current language.
    std::unique_ptr<CustomizeDialog> makeCustomizeDialog();
    // The credit text of the About box for the current language list.
    QString credits() const;

public slots:
    void customizeBars();
    void showAbout();
    // "Папка игры...": the folder models are shown from as in the game when their archive
    // lies in no game folder of its own.
    void chooseGameFolder();
    // "Новый словарь текстур...": an empty dictionary for a game, as a new entry of the open
    // archive or as a file.
    void newTextureDictionary();

protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void dragEnterEvent(QDragEnterEvent* event) override;
    void dropEvent(QDropEvent* event) override;
    QMenu* createPopupMenu() override;

private:
    void buildLayout();
    void buildBars();
    void connectCommands();
    void readAssociations();
    void toggleAssociation(QAction* action);
    void toggleAllAssociations(bool on);
    void refreshRecentFiles();
    void scanLanguages();
    void restoreLanguageMenu();
    void chooseStartLanguage();
    int systemLanguageIndex() const;  // -1 when no file is for the system's language
    void askFirstRun();
    FormTranslator translator(const LanguageFile& file, const QString& section) const;
    void translateForm(const LanguageFile& file, const QString& section, QWidget* form);
    // A dialog made after the language was applied gets the language's texts too.
    void translateLater(QWidget* dialog) const;
    void translateBar(const LanguageFile& file, const QString& section, const QString& prefix,
                      const QList<QAction*>& items);
    void setPreviewShown(bool shown);
    void runPreview(uint32_t entry);
    // Whether the entry shown may be left: asks about unsaved changes of a dictionary.
    bool mayLeaveEntry();

    AppSettings& settings_;
    Prompts& prompts_;
    QStringList arguments_;
    MessageTable messages_;
    bool firstShow_ = true;
    bool rowStatus_ = false;  // the status bar holds a text of showRowStatus
    int menuStyle_ = 0;
    BarLayout layout_;
    CommandFacts facts_;
    std::vector<LanguageInfo> languages_;
    int startLanguage_ = -1;
    std::string languagePath_;  // the file last applied; "" while the texts are built in

    CommandActions* commands_ = nullptr;
    std::unique_ptr<MenuSet> menus_;
    ArchiveBrowser* browser_ = nullptr;
    PreviewPanel* preview_ = nullptr;
    QSplitter* splitter_ = nullptr;
    QToolBar* toolBar_ = nullptr;
    QToolBar* menuStrip_ = nullptr;
    QMenuBar* programMenu_ = nullptr;
    QLabel* statusPanel_ = nullptr;
    AboutBox* about_ = nullptr;
    std::unique_ptr<WindowPreviewHost> previewHost_;
};

}  // namespace varmelo::gui
