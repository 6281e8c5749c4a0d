#include "gui/app/main_window.h"

#include <QAction>
#include <QBitmap>
#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>
#include <exception>

#include "core/archive/archive_file_type.h"
#include "core/game/game_folder.h"
#include "core/settings/text_format.h"
#include "core/settings/language_files.h"
#include "core/version.h"
#include "gui/app/about_box.h"
#include "gui/app/action_bars.h"
#include "gui/app/command_actions.h"
#include "gui/app/credits_text.h"
#include "gui/app/customize_dialog.h"
#include "gui/app/form_translator.h"
#include "gui/app/menu_set.h"
#include "gui/app/menu_style.h"
#include "gui/app/prompts.h"
#include "gui/app/window_preview_host.h"
#include "gui/browser/archive_browser.h"
#include "gui/browser/cp1251_text.h"
#include "gui/preview/install_pages.h"
#include "gui/preview/model/dff_page.h"
#include "gui/preview/preview_panel.h"
#include "gui/preview/texture/txd_page.h"

namespace varmelo::gui {

namespace {

constexpr int kPanelMinimum = 260;
constexpr int kPreviewWidth = 264;

// The association commands, one per archive file type, in tag order.
QList<QAction*> associationActions(const CommandActions& commands) {
    QList<QAction*> out;
    for (const ArchiveFileType* t : archiveFileTypes()) out.append(commands.action(commandName(t->command)));
    return out;
}

QString pathText(const std::string& path) { return QFile::decodeName(QByteArray::fromStdString(path)); }

}  // namespace

MainWindow::MainWindow(AppSettings& settings, Prompts& prompts, QStringList arguments, QWidget* parent)
    : QMainWindow(parent), settings_(settings), prompts_(prompts), arguments_(std::move(arguments)) {
    setObjectName(QStringLiteral("frm1"));
    setWindowTitle(QString::fromLatin1(kProgramTitle));
    setFont(QFont(QStringLiteral("Arial"), 8));
    resize(719, 448);
    setMinimumWidth(531);
    setAcceptDrops(true);

    commands_ = new CommandActions(this);
    menus_ = std::make_unique<MenuSet>(this, *commands_);

    BrowserHost host;
    host.window = this;
    host.showStatus = [this](const QString& text) { showStatus(text); };
    host.noteRecentFile = [this](const std::string& path) {
        if (settings_.noteRecentFile(path)) refreshRecentFiles();
    };
    host.showDefaultPage = [this] { preview_->showDefaultPage(); };
    host.preview = [this](uint32_t entry) { runPreview(entry); };
    host.previewVisible = [this] { return !preview_->isHidden(); };
    host.commandFacts = [this](const BrowserFacts& facts) {
        facts_.browser = facts;
        commands_->applyFacts(facts_);
    };
    host.filterChecked = [this](bool on) { commands_->action(QStringLiteral("SearchFilter1"))->setChecked(on); };
    host.mayLeaveEntry = [this] { return mayLeaveEntry(); };
    browser_ = new ArchiveBrowser(std::move(host), prompts_, messages_, this);

    buildLayout();
    buildBars();
    connectCommands();

    scanLanguages();
    readAssociations();
    refreshRecentFiles();
    askFirstRun();
    const int style = settings_.menuStyle();
    selectMenuStyle(style);
    chooseStartLanguage();

    about_ = new AboutBox([this] { return credits(); }, this);
    applyLanguage(startLanguage_);
}

MainWindow::~MainWindow() {
    // The browser goes first, while the list, the actions and the panels it uses still exist.
    delete browser_;
    browser_ = nullptr;
}

void MainWindow::buildLayout() {
    splitter_ = new QSplitter(Qt::Horizontal, this);
    splitter_->setObjectName(QStringLiteral("Splitter1"));
    splitter_->setChildrenCollapsible(false);
    splitter_->setOpaqueResize(true);

    auto* panel = new QWidget(splitter_);
    panel->setObjectName(QStringLiteral("Panel3"));
    panel->setMinimumWidth(kPanelMinimum);
    auto* panelLayout = new QVBoxLayout(panel);
    panelLayout->setContentsMargins(0, 0, 0, 0);
    if (QWidget* list = browser_->listWidget()) {
        list->setParent(panel);
        panelLayout->addWidget(list);
    }

    preview_ = new PreviewPanel(splitter_);
    preview_->setMinimumWidth(kPanelMinimum);
    previewHost_ = std::make_unique<WindowPreviewHost>(*browser_, settings_,
                                                       [this](const QString& text) { showRowStatus(text); });
    installPreviewPages(*preview_, messages_, prompts_, previewHost_.get(), commands_);
    splitter_->addWidget(panel);
    splitter_->addWidget(preview_);
    splitter_->setStretchFactor(0, 1);
    splitter_->setStretchFactor(1, 0);
    splitter_->setSizes({width() - kPreviewWidth - splitter_->handleWidth(), kPreviewWidth});
    setCentralWidget(splitter_);

    auto* status = new QStatusBar(this);
    status->setObjectName(QStringLiteral("StatusBar1"));
    statusPanel_ = new QLabel(status);
    statusPanel_->setObjectName(QStringLiteral("StatusPanel0"));
    statusPanel_->setMinimumWidth(50);
    status->addWidget(statusPanel_, 1);
    setStatusBar(status);
}

void MainWindow::buildBars() {
    // The native window menu always has the designed menus.
    QMenuBar* native = menuBar();
    native->setObjectName(QStringLiteral("MainMenu1"));
    for (const QString& name : menus_->topLevelNames()) native->addAction(menus_->item(name));

    menuStrip_ = new QToolBar(QStringLiteral("Главное меню"), this);
    menuStrip_->setObjectName(QStringLiteral("MainMenuBar1"));
    menuStrip_->setMovable(false);
    menuStrip_->setFloatable(false);
    programMenu_ = new QMenuBar(menuStrip_);
    programMenu_->setObjectName(QStringLiteral("MainMenuBar1Items"));
    programMenu_->setNativeMenuBar(false);
    programMenu_->setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Preferred);
    menuStrip_->addWidget(programMenu_);
    addToolBar(Qt::TopToolBarArea, menuStrip_);
    addToolBarBreak(Qt::TopToolBarArea);

    toolBar_ = new QToolBar(QStringLiteral("Главная панель"), this);
    toolBar_->setObjectName(QStringLiteral("ToolBar1"));
    toolBar_->setIconSize(QSize(16, 16));
    addToolBar(Qt::TopToolBarArea, toolBar_);

    std::optional<BarLayout> stored = settings_.loadBarLayout();
    layout_ = sanitized(stored ? *stored : defaultBarLayout());
    fillToolBar(toolBar_, layout_.toolbar, *menus_);
    fillMenuBar(programMenu_, layout_.menuBar, *menus_);
}

void MainWindow::connectCommands() {
    // Every command's handler, by the command's name in the command table; the pages bound
    // theirs when they were installed.
    CommandActions& c = *commands_;
    ArchiveBrowser* b = browser_;
    auto on = [&c](const char* name, auto receiver, auto slot) { c.bind(QString::fromLatin1(name), receiver, slot); };
    on("FileNew1", b, &ArchiveBrowser::newArchive);
    on("FileOpen1", b, &ArchiveBrowser::openArchive);
    on("FileExit1", this, &QWidget::close);
    on("EditOpen1", b, &ArchiveBrowser::openExternal);
    on("EditRename1", b, &ArchiveBrowser::rename);
    on("EditExtract1", b, &ArchiveBrowser::extract);
    on("EditReplace1", b, &ArchiveBrowser::replace);
    on("EditAdd1", b, &ArchiveBrowser::add);
    on("EditRemove1", b, &ArchiveBrowser::remove);
    on("SearchFind1", b, &ArchiveBrowser::find);
    on("SearchFindNext1", b, &ArchiveBrowser::findNext);
    on("SearchFindAll1", b, &ArchiveBrowser::findAll);
    on("SearchFilter1", b, &ArchiveBrowser::toggleFilter);
    on("ServiceRebuild1", b, &ArchiveBrowser::rebuild);
    on("CustomizeActionBars1", this, &MainWindow::customizeBars);
    on("HelpAbout1", this, &MainWindow::showAbout);
    on("ServiceGameFolder1", this, &MainWindow::chooseGameFolder);
    on("FileNewTxd1", this, &MainWindow::newTextureDictionary);

    for (int i = 0; i < 5; ++i) {
        c.bind(QStringLiteral("MRUFile%1").arg(i + 1), this, [this, i] {
            const std::string path = settings_.recentFiles()[size_t(i)];
            if (!path.empty()) browser_->openRecent(pathText(path));
        });
    }
    on("ServiceToolbar1", this, [this](bool shown) { toolBar_->setVisible(shown); });
    on("ServicePreview1", this, [this](bool shown) { setPreviewShown(shown); });
    // The action keeps its own check mark; the views follow it and nothing is stored.
    on("ServiceAntialiasing1", this, [this](bool on) { setModelAntialiasing(*preview_, on); });
    for (const char* name : {"ServiceDefault1", "ServiceXP1", "ServiceStandard1"}) {
        QAction* a = c.action(QString::fromLatin1(name));
        on(name, this, [this, a] { selectMenuStyle(a->data().toInt()); });
    }
    for (QAction* a : associationActions(c)) c.bind(a->objectName(), this, [this, a] { toggleAssociation(a); });
    on("ServiceOpenAll1", this, [this](bool checked) { toggleAllAssociations(checked); });
    on("LanguageSelect1", this, [this] { applyLanguage(-1); });
}

void MainWindow::showStatus(const QString& text) {
    statusPanel_->setText(text);
    rowStatus_ = false;
}

void MainWindow::showRowStatus(const QString& text) {
    statusPanel_->setText(text);
    rowStatus_ = true;
}

// --- menu styles -------------------------------------------------------------------------

void MainWindow::selectMenuStyle(int style) {
    menuStyle_ = style;
    const MenuLook look = menuLookFor(style);
    const bool native = look == MenuLook::Native;
    menuBar()->setVisible(native);
    menuStrip_->setVisible(!native);
    facts_.programMenuBar = !native;
    commands_->applyFacts(facts_);

    // The program-drawn bar and the menus it opens share one look; in the native style the
    // menus drop theirs so the window menu looks like every other program's.
    const QString sheet = menuStyleSheet(look);
    menuStrip_->setStyleSheet(sheet);
    programMenu_->setStyleSheet(sheet);
    // A style sheet cuts the bar off from the window's font; hand it down again.
    programMenu_->setFont(font());
    for (const QString& name : menus_->itemNames())
        if (QMenu* m = menus_->menu(name)) m->setStyleSheet(sheet);

    for (const char* name : {"ServiceDefault1", "ServiceXP1", "ServiceStandard1"}) {
        QAction* a = commands_->action(QString::fromLatin1(name));
        a->setChecked(a->data().toInt() == style);
    }
    settings_.writeMenuStyle(style);
}

// --- bar customisation -------------------------------------------------------------------

void MainWindow::setBarLayout(const BarLayout& layout) {
    layout_ = sanitized(layout);
    fillToolBar(toolBar_, layout_.toolbar, *menus_);
    fillMenuBar(programMenu_, layout_.menuBar, *menus_);
    settings_.saveBarLayout(layout_);
}

std::unique_ptr<CustomizeDialog> MainWindow::makeCustomizeDialog() {
    auto dialog = std::make_unique<CustomizeDialog>(*menus_, layout_, this);
    translateLater(dialog.get());
    return dialog;
}

void MainWindow::customizeBars() {
    if (menuLookFor(menuStyle_) == MenuLook::Native) return;
    const std::unique_ptr<CustomizeDialog> dialog = makeCustomizeDialog();
    if (dialog->exec() == QDialog::Accepted) setBarLayout(dialog->layout());
}

QMenu* MainWindow::createPopupMenu() {
    // The bars are shown and hidden by their commands only; the toolkit's own bar menu
    // would let the menu bar be hidden with no way back.
    return nullptr;
}

// --- recent files, first run, associations -----------------------------------------------

void MainWindow::refreshRecentFiles() {
    const auto recent = settings_.recentFiles();
    for (int i = 0; i < 5; ++i) {
        QAction* a = commands_->action(QStringLiteral("MRUFile%1").arg(i + 1));
        const QString path = pathText(recent[size_t(i)]);
        a->setText(QString(path).replace('&', QStringLiteral("&&")));
        a->setVisible(!path.isEmpty());
    }
}

void MainWindow::askFirstRun() {
    if (settings_.firstRun() != 1) return;
    const auto answer = prompts_.askYesNo(QString::fromStdString(messages_.get(MsgFirstRun)),
                                          QString::fromStdString(messages_.get(MsgFirstRunCaption)),
                                          Prompts::Icon::Question);
    if (answer == Prompts::Answer::Yes) {
        QAction* all = commands_->action(QStringLiteral("ServiceOpenAll1"));
        all->setChecked(true);
        toggleAllAssociations(true);
    }
    settings_.writeFirstRun(0);
}

void MainWindow::readAssociations() {
    bool all = true;
    for (QAction* a : associationActions(*commands_)) {
        const bool on = settings_.isAssociated(a->data().toInt());
        a->setChecked(on);
        all = all && on;
    }
    commands_->action(QStringLiteral("ServiceOpenAll1"))->setChecked(all);
}

void MainWindow::toggleAssociation(QAction* action) {
    const int tag = action->data().toInt();
    try {
        settings_.setAssociated(tag, action->isChecked(), messages_.get(MsgFileType));
    } catch (const std::exception& e) {
        prompts_.showError(QString::fromUtf8(e.what()));
    }
    // The marks show what the system now holds, also after a failed change.
    action->setChecked(settings_.isAssociated(tag));
    bool all = true;
    for (QAction* a : associationActions(*commands_)) all = all && a->isChecked();
    commands_->action(QStringLiteral("ServiceOpenAll1"))->setChecked(all);
}

void MainWindow::toggleAllAssociations(bool on) {
    for (QAction* a : associationActions(*commands_)) {
        a->setChecked(!on);
        a->trigger();
    }
}

// --- languages ---------------------------------------------------------------------------

void MainWindow::scanLanguages() {
    languages_ = settings_.languages();
    QMenu* menu = menus_->menu(QStringLiteral("LanguageMenu1"));
    if (!languages_.empty()) {
        menu->clear();
        for (size_t i = 0; i < languages_.size(); ++i) {
            const LanguageInfo& lang = languages_[i];
            auto* a = new QAction(lang.displayName, menu);
            a->setObjectName(QStringLiteral("Language%1").arg(i));
            setActionHint(a, lang.displayName + QStringLiteral("|Select ") + lang.displayName +
                                 QStringLiteral(" language"));
            a->setData(int(i));
            QPixmap flag(lang.flagPath);
            if (!flag.isNull()) {
                flag.setMask(flag.createMaskFromColor(QColor(0, 255, 0)));
                a->setIcon(QIcon(flag));
            }
            connect(a, &QAction::triggered, this, [this, i] { applyLanguage(int(i)); });
            menu->addAction(a);
        }
    }
    menu->menuAction()->setVisible(languages_.size() > 1);
}

void MainWindow::restoreLanguageMenu() {
    QMenu* menu = menus_->menu(QStringLiteral("LanguageMenu1"));
    const QList<QAction*> items = menu->actions();
    menu->clear();
    for (QAction* a : items)
        if (a->parent() == menu) a->deleteLater();
    menu->addAction(commands_->action(QStringLiteral("LanguageSelect1")));
}

int MainWindow::systemLanguageIndex() const {
    // Files name a primary language (9 English, 25 Russian); the system may name a dialect.
    const int system = primaryLanguageId(settings_.systemLanguageId());
    for (size_t i = 0; i < languages_.size(); ++i)
        if (languages_[i].langId == system) return int(i);
    return -1;
}

void MainWindow::chooseStartLanguage() {
    const std::string stored = settings_.language();
    if (!stored.empty() && settings_.languageFileExists(stored)) {
        LanguageInfo selected;
        selected.fileName = QString::fromStdString(stored);
        selected.displayName = QStringLiteral("Selected");
        languages_.push_back(selected);
        startLanguage_ = int(languages_.size()) - 1;
        return;
    }
    const int system = systemLanguageIndex();
    startLanguage_ = system >= 0 ? system : languages_.empty() ? -1 : 0;
}

void MainWindow::applyLanguage(int index) {
    // "Select default language" on a system whose language has no file keeps what is shown.
    if (index < 0) index = systemLanguageIndex();
    if (index < 0) return;
    if (size_t(index) >= languages_.size()) return;
    const std::string fileName = languages_[size_t(index)].fileName.toStdString();
    const std::string path = settings_.languageFilePath(fileName);
    const LanguageFile file(path);
    // A file that vanished or cannot be read would only wipe every hint: leave it all alone.
    if (!file.loaded()) return;
    translateForm(file, QStringLiteral("frm1"), this);
    translateForm(file, QStringLiteral("frm2"), findChild<QWidget*>(QStringLiteral("frm2")));
    translateForm(file, QStringLiteral("frm5"), about_);
    file.applyMessages(messages_);
    browser_->retranslate();
    languagePath_ = path;
    settings_.writeLanguage(fileName);
}

FormTranslator MainWindow::translator(const LanguageFile& file, const QString& section) const {
    FormTranslator t(file, section);
    t.isCommand = [this](QAction* a) { return commands_->action(a->objectName()) == a; };
    // The recent-file commands show their paths, whatever the language calls them.
    t.keepsCaption = [](QAction* a) { return a->objectName().startsWith(QLatin1String("MRUFile")); };
    return t;
}

void MainWindow::translateForm(const LanguageFile& file, const QString& section, QWidget* form) {
    if (!form) return;
    translator(file, section).translateForm(form);
    if (form != this) return;
    // Then the bars item by item ("Bar1" the toolbar, "Bar2" the menu bar), whose keys may
    // override what the command keys said.
    translateBar(file, section, QStringLiteral("Bar1"), toolBar_->actions());
    translateBar(file, section, QStringLiteral("Bar2"), programMenu_->actions());
}

void MainWindow::translateLater(QWidget* dialog) const {
    if (languagePath_.empty()) return;
    const LanguageFile file(languagePath_);
    if (file.loaded()) translator(file, QStringLiteral("frm1")).translateTree(dialog);
}

void MainWindow::translateBar(const LanguageFile& file, const QString& section, const QString& prefix,
                              const QList<QAction*>& items) {
    const std::string s = section.toStdString();
    for (qsizetype j = 0; j < items.size(); ++j) {
        QAction* a = items[j];
        if (a->isSeparator()) continue;
        const QString key = QStringLiteral("%1[%2]").arg(prefix).arg(j);
        const bool command = commands_->action(a->objectName()) == a;
        if (command) {
            if (auto hint = file.find(s, key.toStdString() + "h")) setActionHint(a, QString::fromStdString(*hint));
        } else if (QMenu* m = a->menu()) {
            m->setTitle(QString::fromStdString(file.text(s, key.toStdString(), m->title().toStdString())));
        }
        if (QMenu* m = a->menu()) translateBar(file, section, key, m->actions());
    }
}

QString MainWindow::credits() const {
    QStringList translators;
    for (const LanguageInfo& lang : languages_) translators << lang.author;
    return creditsText(translators, kProgramAuthor);
}

void MainWindow::showAbout() { about_->exec(); }

void MainWindow::chooseGameFolder() {
    const auto folder = prompts_.pickFolder(QString::fromStdString(messages_.get(MsgGameFolderTitle)));
    if (!folder || folder->isEmpty()) return;
    const std::string path = toPathBytes(*folder);
    if (!gameKindOf(path)) {
        prompts_.showMessage(QString::fromStdString(formatText(messages_.get(MsgNotGameFolder), {folder->toStdString()})));
        return;
    }
    settings_.writeGameFolder(path);
    // The model shown is drawn again from the game now known.
    if (auto* page = qobject_cast<DffPage*>(preview_->page(PreviewPage::Dff))) {
        try {
            page->gameChanged();
        } catch (const std::exception& e) {
            prompts_.showError(QString::fromUtf8(e.what()));
        }
    }
}

// --- preview panel -----------------------------------------------------------------------

void MainWindow::setPreviewShown(bool shown) { preview_->setVisible(shown); }

void MainWindow::runPreview(uint32_t entry) {
    if (auto* txd = qobject_cast<TxdPage*>(preview_->page(PreviewPage::Txd))) {
        // The dictionary being edited stays as it is when its own row is chosen again.
        if (txd->holdsEditsOf(entry)) return;
        const std::optional<uint32_t> edited = txd->entry();
        switch (txd->leave()) {
        case TxdPage::Leave::Go: break;
        // Saving showed the list as it now is, and the row selected with it.
        case TxdPage::Leave::Saved: return;
        case TxdPage::Leave::Stay:
            // The list has already moved on: it goes back once this selection change is over.
            if (edited) QTimer::singleShot(0, this, [this, e = *edited] { browser_->selectEntry(e); });
            return;
        }
    }
    if (rowStatus_) showStatus(QString());
    previewHost_->setShownEntry(entry);
    try {
        preview_->preview(browser_->archive(), entry);
    } catch (const std::exception& e) {
        prompts_.showError(QString::fromUtf8(e.what()));
    }
}

// --- ways in and out ---------------------------------------------------------------------

void MainWindow::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!firstShow_) return;
    firstShow_ = false;
    QString path;
    for (qsizetype i = 1; i < arguments_.size(); ++i)
        if (QFileInfo(arguments_[i]).isFile()) {
            // Absolute, so the recent-files list still finds it from another folder.
            path = QFileInfo(arguments_[i]).absoluteFilePath();
            break;
        }
    // Queued, so the window is on screen before a long load starts.
    if (!path.isEmpty())
        QTimer::singleShot(0, this, [this, path] { browser_->load(path, LoadOrigin::CommandLine); });
}

bool MainWindow::mayLeaveEntry() {
    auto* txd = qobject_cast<TxdPage*>(preview_->page(PreviewPage::Txd));
    return !txd || txd->leave() != TxdPage::Leave::Stay;
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (!mayLeaveEntry()) {
        event->ignore();
        return;
    }
    restoreLanguageMenu();
    browser_->setClosing();
    QMainWindow::closeEvent(event);
}

void MainWindow::dragEnterEvent(QDragEnterEvent* event) {
    const QMimeData* data = event->mimeData();
    if (data->hasUrls() && !data->urls().isEmpty() && data->urls().first().isLocalFile())
        event->acceptProposedAction();
}

void MainWindow::dropEvent(QDropEvent* event) {
    const QList<QUrl> urls = event->mimeData()->urls();
    if (urls.isEmpty() || !urls.first().isLocalFile()) return;
    event->acceptProposedAction();
    const QString path = urls.first().toLocalFile();
    // After the drop has been answered: a load may show questions of its own.
    QTimer::singleShot(0, this, [this, path] { browser_->load(path, LoadOrigin::Drop); });
}

}  // namespace varmelo::gui
