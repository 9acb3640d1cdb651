// The companion's real windows, driven through their widgets.
#include <QApplication>
#include <QColorDialog>
#include <QComboBox>
#include <QDirIterator>
#include <QFileDialog>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <chrono>
#include <filesystem>
#include <functional>

#include "common/gbk_codec.h"
#include "companion/shell/miselle_app.h"
#include "platform/autostart_entry.h"
#include "tests/companion/engine/items_as_strings.h"
#include "tests/doubles/fake_voice.h"
#include "tests/shown_text.h"
#include "tests/temp_folder.h"
#include "ui_support/startup_messages.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::platform;
using namespace lorvane::companion;

namespace {

// Runs `answer` on the modal dialog of type T as soon as it is up.
template <typename T>
void whenModal(std::function<void(T*)> answer, int tries = 300) {
    QTimer::singleShot(10, [answer, tries] {
        if (auto* dialog = qobject_cast<T*>(QApplication::activeModalWidget())) {
            answer(dialog);
        } else if (tries > 0) {
            whenModal<T>(answer, tries - 1);
        }
    });
}

void answerMessageBox(QMessageBox::StandardButton button, QString* text = nullptr,
                      std::function<void(QMessageBox*)> meanwhile = {}) {
    whenModal<QMessageBox>([=](QMessageBox* box) {
        if (text) {
            *text = box->windowTitle() + QLatin1Char('|') + box->text();
        }
        if (meanwhile) {
            meanwhile(box);
        }
        box->button(button)->click();
    });
}

// Where the common dialogs must come up: 200 pixels left of and above the
// centre of the screen.
QPoint dialogPlace() {
    const QRect screen = QGuiApplication::primaryScreen()->geometry();
    return screen.topLeft() + QPoint(screen.width() / 2 - 200, screen.height() / 2 - 200);
}

// Types `name` into the open-file dialog and accepts it, after checking the
// dialog is the lesson dialog, where it belongs.
void chooseInFileDialog(const QString& name, QString* problems) {
    whenModal<QFileDialog>([=](QFileDialog* dialog) {
        QStringList wrong;
        if (dialog->windowTitle() != QStringLiteral("打开文本课文...")) {
            wrong << dialog->windowTitle();
        }
        if (dialog->nameFilters() != QStringList{QStringLiteral("文本文件(*.txt)")} ||
            dialog->defaultSuffix() != QStringLiteral("txt")) {
            wrong << QStringLiteral("filter");
        }
        if (!dialog->directory().absolutePath().endsWith(QStringLiteral("/单词课文"))) {
            wrong << dialog->directory().absolutePath();
        }
        if (dialog->pos() != dialogPlace()) {
            wrong << QStringLiteral("placed at %1,%2").arg(dialog->x()).arg(dialog->y());
        }
        *problems = wrong.join(QLatin1Char(' '));
        dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))->setText(name);
        QMetaObject::invokeMethod(dialog, "accept");  // as the Open button does
    });
}

// Every file and folder under `folder`, relative to it, hidden ones too.
QStringList filesUnder(const QString& folder) {
    QStringList found;
    QDirIterator it(folder, QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden | QDir::System,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        found << QDir(folder).relativeFilePath(it.next());
    }
    found.sort();
    return found;
}

// Whether the input method may compose into `widget`, as the platform's
// input context asks it.
bool inputMethodEnabled(QWidget* widget) {
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QApplication::sendEvent(widget, &query);
    return query.value(Qt::ImEnabled).toBool();
}

}  // namespace

class MiselleAppTest : public QObject {
    Q_OBJECT

private:
    // What the desktop saw at one step of the exit.
    struct Snapshot {
        QString step;
        bool saved = false, trayShown = false, exiting = false, listAlive = false;
    };

    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<QTemporaryDir> config_;
    std::unique_ptr<FakeVoice> voice_;
    std::unique_ptr<MiselleApp> app_;
    QStringList opened_;
    std::vector<Snapshot> exitSteps_;
    std::chrono::steady_clock::time_point clock_;

    std::string lessons() { return folder_->path() + "/单词课文/"; }
    void writeGbk(const std::string& name, const std::string& utf8) {
        folder_->write("单词课文/" + name, gbk::encode(utf8));
    }
    void listLessons(const std::string& lines) { writeGbk("listgirl.dat", lines); }
    // A lesson long enough for the events to run while it loads.
    void writeLongLesson(const std::string& name) {
        std::string text;
        for (int i = 0; i < 200; ++i) {
            text += "word" + std::to_string(i) + "  词\r\n";
        }
        writeGbk(name, text);
    }

    Snapshot snapshot(const QString& step) {
        return {step, std::filesystem::exists(lessons() + "girl.dat"), app_->trayIcon().isVisible(),
                app_->engine().exiting(), app_->lessonListWindow() != nullptr};
    }

    void makeApp() {
        MiselleApp::Desktop desktop{
            [this](const QString& path) {
                opened_ << path;
                return true;
            },
            [this](const QString& name, const QString& executable) {
                exitSteps_.push_back(snapshot(QStringLiteral("write ") + name));
                return writeAutostartEntry(name, executable);
            },
            [this](const QString& name) {
                exitSteps_.push_back(snapshot(QStringLiteral("remove ") + name));
                return removeAutostartEntry(name);
            },
            [this] { exitSteps_.push_back(snapshot(QStringLiteral("quit"))); },
            // Five milliseconds pass between looks at the clock, so a lesson
            // load lets the events run every 64 lines, however fast it reads.
            [this] { return clock_ += std::chrono::milliseconds(5); }};
        app_ = std::make_unique<MiselleApp>(QString::fromStdString(folder_->path()),
                                            QStringLiteral("Miselle"), *voice_, desktop);
    }
    void startApp() {
        makeApp();
        app_->start();
        QVERIFY(QTest::qWaitForWindowExposed(&app_->mainWindow()));
    }

    template <typename T>
    T* inMainWindow(const char* name) {
        return app_->mainWindow().findChild<T*>(QString::fromLatin1(name));
    }
    template <typename T>
    T* inLessonList(const char* name) {
        return app_->lessonListWindow()->findChild<T*>(QString::fromLatin1(name));
    }
    QLineEdit* answer() { return app_->mainWindow().answerBox(); }
    QString meaning() { return inMainWindow<QLabel>("Label1")->text(); }
    QAction* entry(const char* name) {
        return app_->menu().findChild<QAction*>(QString::fromLatin1(name));
    }
    void click(QWidget* widget) {
        QTest::mouseClick(widget, Qt::LeftButton, {}, widget->rect().center());
    }

private slots:
    void init() {
        folder_ = std::make_unique<TempFolder>();
        std::filesystem::create_directories(lessons());
        writeGbk("第一课.txt", "apple  苹果\r\npear  梨\r\nplum  李子\r\n");
        writeGbk("第二课.txt", "cat  猫\r\ndog  狗\r\n");
        config_ = std::make_unique<QTemporaryDir>();
        qputenv("XDG_CONFIG_HOME", config_->path().toLocal8Bit());
        voice_ = std::make_unique<FakeVoice>();
        opened_.clear();
        exitSteps_.clear();
    }
    void cleanup() {
        app_.reset();
        folder_.reset();
        config_.reset();
    }

    void missingSpeechIsReportedBeforeTheNotesOpen() {
        QString message;
        QStringList openedWhileAsking;
        bool exclamationAndOk = false;
        answerMessageBox(QMessageBox::Ok, &message, [&](QMessageBox* box) {
            openedWhileAsking = opened_;
            exclamationAndOk =
                box->icon() == QMessageBox::Warning && box->standardButtons() == QMessageBox::Ok;
        });
        lorvane::ui::reportMissingSpeech(QStringLiteral("Miselle"), QStringLiteral("/程序"),
                                         [this](const QString& path) {
                                             opened_ << path;
                                             return true;
                                         });
        QCOMPARE(message,
                 QStringLiteral(
                     "Lorvane|您机器里没有安装espeak-ng语音系统的英文语音，所以无法播放英文读音，"
                     "请参照说明下载相应的语音包。\r\n安装完成后，再运行桌面上Miselle快捷方式。"));
        QVERIFY(exclamationAndOk);
        QVERIFY(openedWhileAsking.isEmpty());
        QCOMPARE(opened_, QStringList{QStringLiteral("/程序/安装必读.htm")});
    }

    void startRestoresWindowMenuAndDialogsFromTheSettings() {
        writeGbk("girl.dat",
                 "[label]\r\nForeColor=255\r\nBackColor=16711680\r\n[配置]\r\ncurword=1\r\n"
                 "munOnTop=False\r\ntop=1500\r\nleft=3000\r\nzidongqidong=False\r\n"
                 "suijixianshi=True\r\n音量=80\r\n");
        listLessons("T" + lessons() + "第一课.txt\r\nF" + lessons() + "第二课.txt\r\n\r\n");
        const std::string settings = folder_->read("单词课文/girl.dat");
        startApp();
        MainWindow& window = app_->mainWindow();
        QCOMPARE(window.objectName(), QStringLiteral("Form1"));
        QCOMPARE(window.windowTitle(), QStringLiteral("Miselle"));
        QCOMPARE(window.pos(), QPoint(200, 100));
        QCOMPARE(window.size(), QSize(192, 39));
        QVERIFY(window.windowFlags().testFlag(Qt::FramelessWindowHint));
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(meaning(), QStringLiteral("梨"));
        QCOMPARE(inMainWindow<QLabel>("Label1")->palette().color(QPalette::WindowText),
                 QColor(Qt::red));
        QCOMPARE(answer()->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(answer()->palette().color(QPalette::Base), QColor(Qt::blue));
        QCOMPARE(window.palette().color(QPalette::Window), QColor(Qt::blue));
        QVERIFY(!inputMethodEnabled(answer()));  // "pear": English, typed as it is
        QTRY_VERIFY(answer()->hasFocus());

        QVERIFY(!entry("munOnTop")->isChecked());
        QVERIFY(!entry("zidongqidong")->isChecked());
        QVERIFY(entry("suijixianshi")->isChecked());
        QCOMPARE(app_->trayIcon().toolTip(), QStringLiteral("Miselle"));
        QVERIFY(app_->trayIcon().isVisible());

        // The voice got the stored volume only. Neither dialog is made
        // before it is first opened; then each shows what was loaded.
        QCOMPARE(voice_->volumeCalls, std::vector<int>{80});
        QVERIFY(!app_->voiceDialog());
        QVERIFY(!app_->lessonListWindow());
        app_->run(Command::VoiceSettings);
        QVERIFY(app_->voiceDialog()->isVisible());
        QCOMPARE(app_->voiceDialog()->windowTitle(), QStringLiteral("              设置"));
        QCOMPARE(app_->voiceDialog()->findChild<QScrollBar*>("HScroll2")->value(), 80);
        QCOMPARE(voice_->volumeCalls, std::vector<int>{80});
        app_->run(Command::LessonList);
        QVERIFY(app_->lessonListWindow()->isVisible());
        QVERIFY(app_->lessonListWindow()->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QCOMPARE(inLessonList<QListWidget>("List1")->count(), 2);
        QCOMPARE(inLessonList<QListWidget>("List1")->item(1)->checkState(), Qt::Unchecked);
        app_->voiceDialog()->hide();
        app_->lessonListWindow()->hide();

        // The label's tip names the current lesson's file.
        auto* label = inMainWindow<QLabel>("Label1");
        QHelpEvent tip(QEvent::ToolTip, label->rect().center(), label->mapToGlobal(QPoint()));
        QApplication::sendEvent(label, &tip);
        QCOMPARE(label->toolTip(), QStringLiteral("第一课.txt"));
        // Nothing is written before a confirmed exit.
        QCOMPARE(folder_->read("单词课文/girl.dat"), settings);
    }

    void firstRunAsksForALessonInTheLessonFolder() {
        QString problems = QStringLiteral("no dialog");
        chooseInFileDialog(QStringLiteral("第一课"), &problems);  // the extension comes by itself
        startApp();
        QCOMPARE(problems, QString());
        QCOMPARE(app_->engine().lessons().count(), 1);
        QCOMPARE(app_->engine().lessons().at(0).path, lessons() + "第一课.txt");
        QCOMPARE(meaning(), QStringLiteral("苹果"));
        QVERIFY(app_->mainWindow().windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(entry("zidongqidong")->isChecked());
    }

    // Qt's dialogs remember the folders visited and the custom colours for
    // the run only: until the confirmed exit nothing at all is written (a
    // run that is killed leaves no trace), in the lesson folder or in the
    // learner's configuration, and then only the two settings files.
    void dialogsRememberForTheRunAndWriteNothing() {
        std::filesystem::create_directories(lessons() + "初一");
        writeGbk("初一/第三课.txt", "sun  太阳\r\n");
        const QString lessonFolder = QString::fromStdString(lessons());
        const QStringList before = filesUnder(lessonFolder);
        whenModal<QFileDialog>([lessonFolder](QFileDialog* dialog) {
            dialog->setDirectory(lessonFolder + QStringLiteral("初一"));  // the learner goes in
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("第三课"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        startApp();
        QCOMPARE(meaning(), QStringLiteral("太阳"));
        whenModal<QColorDialog>([](QColorDialog* dialog) {
            QColorDialog::setCustomColor(0, Qt::yellow);
            dialog->setCurrentColor(Qt::red);
            dialog->accept();
        });
        QTest::keyClick(answer(), Qt::Key_F3);
        QCOMPARE(app_->engine().colours().text, 255);
        QCOMPARE(filesUnder(lessonFolder), before);
        QCOMPARE(filesUnder(config_->path()), QStringList());

        // The next dialog of the run offers the folder visited before, and
        // still opens in the lesson folder.
        QString opened;
        QStringList history;
        whenModal<QFileDialog>([&](QFileDialog* dialog) {
            opened = dialog->directory().absolutePath();
            history = dialog->history();
            dialog->reject();
        });
        QTest::keyClick(answer(), Qt::Key_F2);
        click(inLessonList<PictureButton>("Image1_0"));
        QCOMPARE(opened + QLatin1Char('/'), lessonFolder);
        QVERIFY2(history.contains(lessonFolder + QStringLiteral("初一")),
                 qPrintable(history.join(QLatin1Char(' '))));
        QString colours;
        whenModal<QColorDialog>([&colours](QColorDialog* dialog) {
            colours = QColorDialog::customColor(0).name() + QLatin1Char(' ') +
                      QColorDialog::customColor(1).name();
            dialog->reject();
        });
        QTest::keyClick(answer(), Qt::Key_F4);
        QCOMPARE(colours, QStringLiteral("#ffff00 #fefefe"));
        QCOMPARE(filesUnder(lessonFolder), before);
        QCOMPARE(filesUnder(config_->path()), QStringList());

        answerMessageBox(QMessageBox::Ok);
        app_->run(Command::Exit);
        QVERIFY(app_->exited());
        app_.reset();
        QStringList after = before;
        after << QStringLiteral("girl.dat") << QStringLiteral("listgirl.dat");
        after.sort();
        QCOMPARE(filesUnder(lessonFolder), after);
        QCOMPARE(filesUnder(config_->path()),
                 (QStringList{QStringLiteral("autostart"),
                              QStringLiteral("autostart/Miselle.desktop")}));
    }

    // A meaning, a lesson's file name or a typed file name is shown as it is
    // written: "<b>" or "&lt;" in a lesson is text, never markup.
    void lessonTextsShowAsWritten() {
        writeGbk("<i>课.txt", "bold  <b>粗</b>体\r\nless  &lt;小于\r\n");
        listLessons("T" + lessons() + "<i>课.txt\r\n\r\n");
        startApp();
        auto* label = inMainWindow<QLabel>("Label1");
        QCOMPARE(shownText(label), QStringLiteral("<b>粗</b>体"));
        QHelpEvent tip(QEvent::ToolTip, label->rect().center(), label->mapToGlobal(QPoint()));
        QApplication::sendEvent(label, &tip);
        QCOMPARE(shownText(label->toolTip()), QStringLiteral("<i>课.txt"));
        QTest::keyClicks(answer(), "bold");
        QTest::keyClick(answer(), Qt::Key_Return);
        QCOMPARE(shownText(label), QStringLiteral("&lt;小于"));

        QString prompt = QStringLiteral("no question");
        whenModal<QFileDialog>([](QFileDialog* dialog) {
            dialog->findChild<QLineEdit*>(QStringLiteral("fileNameEdit"))
                ->setText(QStringLiteral("<b>新课"));
            QMetaObject::invokeMethod(dialog, "accept");
        });
        whenModal<QMessageBox>([&prompt](QMessageBox* box) {
            prompt = shownText(box->findChild<QLabel*>(QStringLiteral("qt_msgbox_label")));
            box->button(QMessageBox::No)->click();
            whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        });
        app_->run(Command::LessonList);
        click(inLessonList<PictureButton>("Image1_0"));
        QVERIFY2(prompt.startsWith(QStringLiteral("<b>新课.txt")), qPrintable(prompt));
    }

    // Ctrl with Enter makes a line feed, not Enter: no answer check, with
    // the flag set or already spent. Enter alone or with Shift checks.
    void ctrlEnterChecksNoAnswer() {
        listLessons("T" + lessons() + "第一课.txt\r\n\r\n");
        startApp();
        QTest::keyClicks(answer(), "apple");
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyPress(answer(), Qt::Key_Control);
            QTest::keyClick(answer(), key, Qt::ControlModifier);
            QTest::keyRelease(answer(), Qt::Key_Control);
        }
        QTest::keyPress(answer(), Qt::Key_Control);
        QTest::keyClick(answer(), Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(answer(), Qt::Key_Return, Qt::ControlModifier);
        QTest::keyRelease(answer(), Qt::Key_Control);
        QCOMPARE(meaning(), QStringLiteral("苹果"));
        QCOMPARE(answer()->text(), QStringLiteral("apple"));
        QTest::keyClick(answer(), Qt::Key_Enter, Qt::KeypadModifier);
        QCOMPARE(meaning(), QStringLiteral("梨"));
        QTest::keyClicks(answer(), "pear");
        QTest::keyClick(answer(), Qt::Key_Return, Qt::ShiftModifier);
        QCOMPARE(meaning(), QStringLiteral("李子"));
    }

    // An English answer keeps a Chinese input method out of the answer box;
    // a Chinese one (a reversed lesson) or one with accents lets it in.
    void inputMethodOnlyForAnswersBeyondAscii() {
        writeGbk("反向.txt", "苹果  apple\r\npear  梨\r\ncafé  咖啡\r\n");
        listLessons("T" + lessons() + "反向.txt\r\n\r\n");
        startApp();
        QVERIFY(inputMethodEnabled(answer()));
        QVERIFY(!answer()->inputMethodHints().testFlag(Qt::ImhLatinOnly));
        app_->run(Command::NextItem);
        QVERIFY(!inputMethodEnabled(answer()));
        QVERIFY(answer()->inputMethodHints().testFlag(Qt::ImhLatinOnly));
        app_->run(Command::NextItem);
        QVERIFY(inputMethodEnabled(answer()));
        app_->run(Command::PreviousItem);
        QVERIFY(!inputMethodEnabled(answer()));
    }

    void exitWhileTheFirstLessonLoadsEndsTheStart() {
        writeLongLesson("长课.txt");
        listLessons("T" + lessons() + "长课.txt\r\n\r\n");
        makeApp();
        // The tray's menu is there before the lesson has loaded.
        QTimer::singleShot(0, app_.get(), [this] { app_->run(Command::Exit); });
        answerMessageBox(QMessageBox::Ok);
        app_->start();
        QVERIFY(app_->exited());
        QVERIFY(!app_->mainWindow().isVisible());
        QVERIFY(!app_->trayIcon().isVisible());
        QCOMPARE(exitSteps_.back().step, QStringLiteral("quit"));
    }

    void aGroupMoveDuringTheFirstLoadActsAtOnceAndItsLessonWins() {
        writeLongLesson("长课.txt");
        listLessons("T" + lessons() + "长课.txt\r\nT" + lessons() + "第二课.txt\r\n\r\n");
        makeApp();
        std::size_t loadedWhenMoved = 0;
        QTimer::singleShot(0, app_.get(), [&] {
            loadedWhenMoved = app_->engine().items().size();
            app_->run(Command::NextGroup);  // the menu's 下一组
        });
        app_->start();
        QVERIFY(loadedWhenMoved > 0 && loadedWhenMoved < 200);
        QCOMPARE(app_->engine().currentLesson(), 1);
        QCOMPARE(itemsAsStrings(app_->engine().items()),
                 (std::vector<std::string>{"cat  猫", "dog  狗"}));
        QCOMPARE(meaning(), QStringLiteral("猫"));
    }

    void answerBoxKeysFollowTheCtrlFlag() {
        listLessons("T" + lessons() + "第一课.txt\r\nT" + lessons() + "第二课.txt\r\n\r\n");
        startApp();
        // Ctrl held, N twice: one move; the second N is no command.
        QTest::keyPress(answer(), Qt::Key_Control);
        for (int i = 0; i < 2; ++i) {
            // The keys alone, without the Ctrl presses QTest would add.
            QKeyEvent press(QEvent::KeyPress, Qt::Key_N, Qt::ControlModifier,
                            QStringLiteral("\x0e"));
            QApplication::sendEvent(answer(), &press);
            QKeyEvent release(QEvent::KeyRelease, Qt::Key_N, Qt::ControlModifier);
            QApplication::sendEvent(answer(), &release);
        }
        QTest::keyRelease(answer(), Qt::Key_Control);
        QCOMPARE(app_->engine().currentItem(), 1);
        QCOMPARE(answer()->text(), QString());
        // Without the flag these letters are typing, and so after a released
        // Ctrl or a Ctrl spent on a key outside the table.
        QTest::keyClicks(answer(), "psbnqh");
        QTest::keyPress(answer(), Qt::Key_Control);
        QTest::keyRelease(answer(), Qt::Key_Control);
        QTest::keyClick(answer(), Qt::Key_N);
        QTest::keyPress(answer(), Qt::Key_Control);
        QTest::keyClick(answer(), Qt::Key_F1, Qt::ControlModifier);
        QTest::keyClick(answer(), Qt::Key_H);
        QCOMPARE(answer()->text(), QStringLiteral("psbnqhnh"));
        QVERIFY(!app_->voiceDialog());  // Ctrl+F1 opened nothing
        QCOMPARE(app_->engine().currentItem(), 1);
        QVERIFY(voice_->spoken.empty());

        const auto ctrl = [this](Qt::Key key) {
            QTest::keyPress(answer(), Qt::Key_Control);
            QTest::keyClick(answer(), key, Qt::ControlModifier);
            QTest::keyRelease(answer(), Qt::Key_Control);
        };
        answer()->clear();
        ctrl(Qt::Key_P);
        QCOMPARE(voice_->spoken, std::vector<std::string>{"pear"});
        ctrl(Qt::Key_S);
        QCOMPARE(answer()->text(), QStringLiteral("pear"));
        QTest::keyClick(answer(), Qt::Key_Return);
        QCOMPARE(meaning(), QStringLiteral("李子"));
        ctrl(Qt::Key_B);
        QCOMPARE(meaning(), QStringLiteral("梨"));
        ctrl(Qt::Key_H);
        QCOMPARE(meaning(), QStringLiteral("猫"));
        ctrl(Qt::Key_Q);
        QCOMPARE(meaning(), QStringLiteral("苹果"));
        // A wrong answer stays; a right one with spaces round it passes.
        QTest::keyClicks(answer(), "Apple");
        QTest::keyClick(answer(), Qt::Key_Return);
        QCOMPARE(answer()->text(), QStringLiteral("Apple"));
        answer()->clear();
        QTest::keyClicks(answer(), " apple ");
        QTest::keyClick(answer(), Qt::Key_Return);
        QCOMPARE(meaning(), QStringLiteral("梨"));

        QTest::keyClick(answer(), Qt::Key_F5);
        QVERIFY(entry("suijixianshi")->isChecked());
        QTest::keyClick(answer(), Qt::Key_F5);
        QVERIFY(!app_->engine().options().isOn(MenuOption::RandomOrder));
        QTest::keyClick(answer(), Qt::Key_F1);
        QVERIFY(app_->voiceDialog()->isVisible());
        QTest::keyClick(answer(), Qt::Key_F2);
        QVERIFY(app_->lessonListWindow()->isVisible());
        const QPoint place = app_->mainWindow().pos();
        QTest::keyClick(answer(), Qt::Key_F6);
        QVERIFY(!app_->mainWindow().isVisible());
        app_->run(Command::ShowWindow);  // what Ctrl+W does
        QVERIFY(app_->mainWindow().isVisible());
        QCOMPARE(app_->mainWindow().pos(), place);
        QCOMPARE(meaning(), QStringLiteral("梨"));
    }

    void menuHasEveryEntryInOrderWithItsChecks() {
        listLessons("T" + lessons() + "第一课.txt\r\n\r\n");
        startApp();
        QStringList shown;
        for (QAction* action : app_->menu().actions()) {
            shown << action->objectName() + QLatin1Char('=') +
                         (action->isSeparator() ? QStringLiteral("-") : action->text()) +
                         (action->isCheckable() ? (action->isChecked() ? "[x]" : "[ ]") : "");
        }
        const QStringList expected = {"xianshiwin=显示窗体\tCtrl+W",
                                      "step12=-",
                                      "bofangzanting=播放\tCtrl+P",
                                      "stop=显示正确英文\tCtrl+S",
                                      "shangyitiao=上一条\tCtrl+B",
                                      "xiayiduan=下一条\tCtrl+N",
                                      "shangyizu=上一组\tCtrl+Q",
                                      "xiayizu=下一组\tCtrl+H",
                                      "shezhi=-",
                                      "munTwo=语速及语音设置\tF1",
                                      "liebiaowenjian=列表文件设置\tF2",
                                      "zitishezhi=字体颜色设置\tF3",
                                      "beijingshezhi=背景设置\tF4",
                                      "suijixianshi=随机显示单词\tF5[ ]",
                                      "step9=-",
                                      "munOnTop=窗口总在最前[x]",
                                      "zidongqidong=自动启动[x]",
                                      "zuixiaohua=最小化\tF6",
                                      "helpme=-",
                                      "help=使用说明(&S)",
                                      "munExit=退出\tF9"};
        QCOMPARE(shown, expected);
        QCOMPARE(app_->menu().objectName(), QStringLiteral("file"));

        // Always on top goes off and on again; the window stays where it is.
        MainWindow& window = app_->mainWindow();
        const QPoint place = window.pos();
        entry("munOnTop")->trigger();
        QVERIFY(!window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(!entry("munOnTop")->isChecked());
        entry("munOnTop")->trigger();
        QVERIFY(window.windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window.isVisible());
        QCOMPARE(window.pos(), place);
        // Auto-start changes the check only; the entry waits for the exit.
        entry("zidongqidong")->trigger();
        QVERIFY(!app_->engine().options().isOn(MenuOption::StartAtLogon));
        QVERIFY(!QFileInfo::exists(autostartEntryPath(QStringLiteral("Miselle"))));
        entry("xiayiduan")->trigger();
        QCOMPARE(meaning(), QStringLiteral("梨"));
        entry("help")->trigger();
        QCOMPARE(opened_,
                 QStringList{QString::fromStdString(folder_->path()) + "/Lorvane说明.htm"});
        entry("zuixiaohua")->trigger();
        QVERIFY(!window.isVisible());
        entry("xianshiwin")->trigger();
        QVERIFY(window.isVisible());

        // Only the icon's context request opens the menu.
        emit app_->trayIcon().activated(QSystemTrayIcon::Trigger);
        emit app_->trayIcon().activated(QSystemTrayIcon::DoubleClick);
        QTest::qWait(20);
        QVERIFY(!app_->menu().isVisible());
        emit app_->trayIcon().activated(QSystemTrayIcon::Context);
        QTRY_VERIFY(app_->menu().isVisible());
        app_->menu().hide();
        // So do the right button on the body and the left corner button.
        QTest::mouseClick(&window, Qt::RightButton, {}, QPoint(5, 30));
        QTRY_VERIFY(app_->menu().isVisible());
        app_->menu().hide();
        click(inMainWindow<QPushButton>("Command1_0"));
        QTRY_VERIFY(app_->menu().isVisible());
        app_->menu().hide();
        click(inMainWindow<QPushButton>("Command1_1"));
        QVERIFY(!window.isVisible());
    }

    void voiceDialogPassesOnOnlyRealChanges() {
        writeGbk("girl.dat", "[配置]\r\n音量=80\r\n语速=0\r\n");
        listLessons("T" + lessons() + "第一课.txt\r\n\r\n");
        startApp();
        app_->run(Command::VoiceSettings);
        VoiceDialog* dialog = app_->voiceDialog();
        QVERIFY(dialog->isVisible());
        auto* rate = dialog->findChild<QScrollBar*>(QStringLiteral("HScroll1"));
        auto* volume = dialog->findChild<QScrollBar*>(QStringLiteral("HScroll2"));
        auto* voices = dialog->findChild<QComboBox*>(QStringLiteral("combo1"));
        QCOMPARE(volume->value(), 80);
        QCOMPARE(voices->count(), 3);
        QCOMPARE(voices->currentIndex(), 0);

        QTest::keyClick(rate, Qt::Key_Right);
        volume->setValue(80);
        volume->setValue(100);
        QCOMPARE(voice_->rateCalls, std::vector<int>{1});
        QCOMPARE(voice_->volumeCalls, (std::vector<int>{80, 100}));
        emit voices->activated(2);
        emit voices->activated(2);
        QCOMPARE(voice_->selections, (std::vector<int>{0, 2}));

        // The rate first, the labels take no part.
        const auto nextTabStop = [](QWidget* widget) {
            do {
                widget = widget->nextInFocusChain();
            } while (!(widget->focusPolicy() & Qt::TabFocus) || !widget->isVisible());
            return widget;
        };
        QCOMPARE(nextTabStop(rate), voices);
        QCOMPARE(nextTabStop(voices), volume);
        QCOMPARE(nextTabStop(volume), dialog->findChild<QPushButton*>(QStringLiteral("Command2")));

        // Closing in any way hides; the dialog comes back as it was.
        click(dialog->findChild<QPushButton*>(QStringLiteral("Command2")));
        QVERIFY(!dialog->isVisible());
        app_->run(Command::VoiceSettings);
        dialog->close();
        QVERIFY(!dialog->isVisible());
        QCOMPARE(app_->voiceDialog(), dialog);
        app_->run(Command::VoiceSettings);
        QCOMPARE(rate->value(), 1);
        QCOMPARE(voices->currentIndex(), 2);
    }

    void lessonListWindowButtons() {
        listLessons("T" + lessons() + "第一课.txt\r\nF" + lessons() + "第二课.txt\r\nT" +
                    lessons() + "第三课.txt\r\n\r\n");
        startApp();
        app_->run(Command::LessonList);
        LessonListWindow* window = app_->lessonListWindow();
        auto* list = inLessonList<QListWidget>("List1");
        QCOMPARE(window->windowTitle(), QStringLiteral("课文列表"));
        QCOMPARE(list->item(0)->sizeHint().width(), 500);  // sideways over 500 pixels

        // Study the unticked second lesson: ticked, current, started.
        list->setCurrentRow(1);
        auto* study = inLessonList<PictureButton>("Image1_3");
        QCOMPARE(study->toolTip(), QStringLiteral("播放选择的课文"));
        QTest::mousePress(study, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(study->isPressed());  // the border shows while the button is held
        QTest::mouseRelease(study, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(!study->isPressed());
        QCOMPARE(list->item(1)->checkState(), Qt::Checked);
        QCOMPARE(app_->engine().currentLesson(), 1);
        QCOMPARE(meaning(), QStringLiteral("猫"));

        // Delete the first: the others move up, the cursor stays.
        list->setCurrentRow(0);
        click(inLessonList<PictureButton>("Image1_1"));
        QCOMPARE(list->count(), 2);
        QCOMPARE(app_->engine().lessons().at(0).path, lessons() + "第二课.txt");
        QCOMPARE(app_->engine().currentLesson(), 1);
        // Unticking through the check box reaches the list.
        list->item(0)->setCheckState(Qt::Unchecked);
        QVERIFY(!app_->engine().lessons().at(0).ticked);

        // Add a lesson still to be written: the dialog asks before taking it,
        // and stays open on No.
        QString problems = QStringLiteral("no dialog");
        QString prompt;
        chooseInFileDialog(QStringLiteral("新课"), &problems);
        answerMessageBox(QMessageBox::No);
        whenModal<QFileDialog>([](QFileDialog* dialog) { dialog->reject(); });
        click(inLessonList<PictureButton>("Image1_0"));
        QCOMPARE(problems, QString());
        QCOMPARE(list->count(), 2);
        chooseInFileDialog(QStringLiteral("新课"), &problems);
        answerMessageBox(QMessageBox::Yes, &prompt);
        click(inLessonList<PictureButton>("Image1_0"));
        QCOMPARE(problems, QString());
        QVERIFY(prompt.contains(QStringLiteral("新课.txt")));
        QCOMPARE(list->count(), 3);
        QCOMPARE(list->item(2)->text(), QString::fromStdString(lessons() + "新课.txt"));
        QCOMPARE(list->item(2)->checkState(), Qt::Checked);
        QCOMPARE(meaning(), QStringLiteral("猫"));  // added, not started
        QVERIFY(window->windowFlags().testFlag(Qt::WindowStaysOnTopHint));
        QVERIFY(window->isVisible());

        // Any close before the exit only hides; very small sizes don't fail.
        window->resize(10, 10);
        QCOMPARE(list->width(), 10);
        QVERIFY(!window->close());
        QVERIFY(!window->isVisible());
        app_->run(Command::LessonList);
        QCOMPARE(list->count(), 3);
        click(inLessonList<PictureButton>("Image1_4"));
        QVERIFY(!window->isVisible());
        QCOMPARE(app_->lessonListWindow(), window);
    }

    // The study button's lesson lets the windows run while it loads; an exit
    // confirmed meanwhile ends the program and takes the list window down
    // from under its own button.
    void exitWhileAStudiedLessonLoadsLeavesTheListWindowSafely() {
        writeLongLesson("长课.txt");
        listLessons("T" + lessons() + "第一课.txt\r\nF" + lessons() + "长课.txt\r\n\r\n");
        startApp();
        app_->run(Command::LessonList);
        QPointer<LessonListWindow> window = app_->lessonListWindow();
        inLessonList<QListWidget>("List1")->setCurrentRow(1);
        auto* study = inLessonList<PictureButton>("Image1_3");
        QTimer::singleShot(0, app_.get(), [this] { app_->run(Command::Exit); });
        answerMessageBox(QMessageBox::Ok);
        QTest::mousePress(study, Qt::LeftButton, {}, QPoint(5, 5));
        QTest::mouseRelease(study, Qt::LeftButton, {}, QPoint(5, 5));
        QVERIFY(app_->exited());
        QVERIFY(!app_->lessonListWindow());
        QCOMPARE(exitSteps_.back().step, QStringLiteral("quit"));
        QVERIFY(!window);
    }

    void colourDialogsShareTheLastColourAndTheCustomColours() {
        QColorDialog::setCustomColor(3, Qt::green);  // from before this run
        listLessons("T" + lessons() + "第一课.txt\r\n\r\n");
        startApp();
        QStringList seen;
        const auto inDialog = [&seen](std::function<void(QColorDialog*)> then) {
            whenModal<QColorDialog>([&seen, then](QColorDialog* dialog) {
                seen << dialog->currentColor().name() + QLatin1Char(' ') +
                            QColorDialog::customColor(3).name() +
                            (dialog->pos() == dialogPlace() ? "" : " misplaced");
                then(dialog);
            });
        };
        inDialog([](QColorDialog* dialog) {
            QColorDialog::setCustomColor(3, Qt::yellow);
            dialog->setCurrentColor(Qt::red);
            dialog->accept();
        });
        QTest::keyClick(answer(), Qt::Key_F3);
        QCOMPARE(app_->engine().colours().text, 255);
        QCOMPARE(answer()->palette().color(QPalette::Text), QColor(Qt::red));
        QCOMPARE(app_->mainWindow().focusWidget(), answer());

        inDialog([](QColorDialog* dialog) { dialog->reject(); });
        QTest::keyClick(answer(), Qt::Key_F4);
        QCOMPARE(app_->engine().colours().background, kTeal);
        inDialog([](QColorDialog* dialog) {
            dialog->setCurrentColor(QColor(0, 0, 255));
            dialog->accept();
        });
        app_->run(Command::BackgroundColour);
        QCOMPARE(app_->engine().colours().background, 0xFF0000);
        QCOMPARE(answer()->palette().color(QPalette::Base), QColor(Qt::blue));
        QCOMPARE(app_->mainWindow().palette().color(QPalette::Window), QColor(Qt::blue));
        QCOMPARE(seen, (QStringList{"#000000 #fefefe", "#ff0000 #ffff00", "#ff0000 #ffff00"}));
    }

    void exitQuestionCancelledChangesNothing() {
        listLessons("T" + lessons() + "第一课.txt\r\n\r\n");
        startApp();
        app_->run(Command::LessonList);
        app_->run(Command::VoiceSettings);
        QString question;
        bool listHiddenWhileAsking = false;
        bool noIcon = false;
        answerMessageBox(QMessageBox::Cancel, &question, [&](QMessageBox* box) {
            listHiddenWhileAsking = !app_->lessonListWindow()->isVisible();
            noIcon = box->icon() == QMessageBox::NoIcon &&
                     box->standardButtons() == (QMessageBox::Ok | QMessageBox::Cancel);
        });
        QTest::keyClick(answer(), Qt::Key_F9);
        QCOMPARE(question, QStringLiteral("退出|你确定要退出Miselle吗？"));
        QVERIFY(listHiddenWhileAsking);
        QVERIFY(noIcon);
        QVERIFY(!app_->lessonListWindow()->isVisible());
        QVERIFY(app_->mainWindow().isVisible());
        QVERIFY(app_->trayIcon().isVisible());
        QVERIFY(app_->voiceDialog());
        QVERIFY(exitSteps_.empty());
        QVERIFY(!std::filesystem::exists(lessons() + "girl.dat"));
        QVERIFY(!QFileInfo::exists(autostartEntryPath(QStringLiteral("Miselle"))));
    }

    void confirmedExitSavesThenTakesEverythingDownInOrder() {
        listLessons("T" + lessons() + "第一课.txt\r\n\r\n");
        startApp();
        QTest::keyClick(answer(), Qt::Key_F2);
        answerMessageBox(QMessageBox::Ok);
        app_->run(Command::Exit);  // the menu's 退出

        // Saved before the entry is written, the icon and the list window
        // going only after it; then the engine is exiting, and the program ends.
        QCOMPARE(exitSteps_.size(), std::size_t{2});
        QCOMPARE(exitSteps_[0].step, QStringLiteral("write Miselle"));
        QVERIFY(exitSteps_[0].saved && exitSteps_[0].trayShown && exitSteps_[0].listAlive);
        QVERIFY(!exitSteps_[0].exiting);
        QCOMPARE(exitSteps_[1].step, QStringLiteral("quit"));
        QVERIFY(!exitSteps_[1].trayShown && exitSteps_[1].exiting && !exitSteps_[1].listAlive);
        // A command that comes in after the exit makes no window again.
        app_->run(Command::VoiceSettings);
        app_->run(Command::LessonList);
        QVERIFY(!app_->voiceDialog());
        QVERIFY(!app_->lessonListWindow());
        QVERIFY(!app_->mainWindow().isVisible());
        QCOMPARE(QByteArray::fromStdString(folder_->read("单词课文/listgirl.dat")),
                 QByteArray::fromStdString(gbk::encode("T" + lessons() + "第一课.txt\r\n\r\n")));
        QFile desktopEntry(autostartEntryPath(QStringLiteral("Miselle")));
        QVERIFY(desktopEntry.open(QIODevice::ReadOnly));
        QCOMPARE(QString::fromUtf8(desktopEntry.readAll()),
                 QStringLiteral("[Desktop Entry]\nType=Application\nName=Miselle\n"
                                "Name[zh_CN]=Miselle 单词小窗\nIcon=miselle\nExec=\"%1/Miselle\"\n"
                                "Terminal=false\nX-GNOME-Autostart-enabled=true\n")
                     .arg(QString::fromStdString(folder_->path())));

        // The next run, with auto-start cleared, removes the entry at its exit.
        app_.reset();
        exitSteps_.clear();
        startApp();
        QVERIFY(app_->engine().options().isOn(MenuOption::StartAtLogon));
        entry("zidongqidong")->trigger();
        answerMessageBox(QMessageBox::Ok);
        app_->mainWindow().close();  // as the desktop asks a window to close
        QCOMPARE(exitSteps_.front().step, QStringLiteral("remove Miselle"));
        QVERIFY(!QFileInfo::exists(autostartEntryPath(QStringLiteral("Miselle"))));
    }
};

QTEST_MAIN(MiselleAppTest)
#include "miselle_app_test.moc"
