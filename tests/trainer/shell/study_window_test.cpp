// The trainer's real windows, driven through their widgets.
#include <QApplication>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <filesystem>

#include "common/gbk_codec.h"
#include "speech/combined_voice.h"
#include "tests/doubles/fake_recorder.h"
#include "tests/doubles/fake_voice.h"
#include "tests/temp_folder.h"
#include "trainer/shell/lorvane_app.h"
#include "ui_support/twips.h"

using namespace lorvane::common;
using namespace lorvane::speech;
using namespace lorvane::ui;
using namespace lorvane::trainer;

namespace {

// Answers the next modal message box with `button` and remembers its text.
void answerNextMessageBox(QMessageBox::StandardButton button, QString* text = nullptr) {
    QTimer::singleShot(0, [button, text] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (!box) {
            answerNextMessageBox(button, text);  // not up yet
            return;
        }
        if (text) {
            *text = box->text();
        }
        box->button(button)->click();
    });
}

// Sound that goes nowhere: the test reads transcriptions, not speech.
class SilentOutput : public AudioOutput {
public:
    void play(std::vector<std::int16_t> /*samples*/, int /*sampleRate*/,
              bool /*afterCurrent*/) override {}
    void stop() override {}
};

// The tooltip the label would show now, as hovering over it asks for it.
QString hoveredToolTip(QWidget* widget) {
    QToolTip::hideText();
    const QPoint centre = widget->rect().center();
    QHelpEvent hover(QEvent::ToolTip, centre, widget->mapToGlobal(centre));
    QCoreApplication::sendEvent(widget, &hover);
    return QToolTip::isVisible() ? QToolTip::text() : QString();
}

}  // namespace

class StudyWindowTest : public QObject {
    Q_OBJECT

private:
    std::unique_ptr<TempFolder> folder_;
    std::unique_ptr<FakeVoice> voice_;
    std::unique_ptr<FakeRecorder> recorder_;
    std::unique_ptr<LorvaneApp> app_;
    QStringList opened_;
    QStringList started_;
    bool startWorks_ = true;

    template <typename T>
    T* study(const char* name) {
        return app_->studyWindow().findChild<T*>(QString::fromLatin1(name));
    }
    template <typename T>
    T* chooser(const char* name) {
        return app_->chooserWindow().findChild<T*>(QString::fromLatin1(name));
    }

    void writeGbk(const std::string& relative, const std::string& utf8) {
        folder_->write("单词课文/" + relative, gbk::encode(utf8));
    }

    void startApp() {
        app_ = std::make_unique<LorvaneApp>(QString::fromStdString(folder_->path()), *voice_,
                                            *recorder_,
                                            LorvaneApp::Desktop{[this](const QString& path) {
                                                                    opened_ << path;
                                                                    return true;
                                                                },
                                                                [this](const QString& path) {
                                                                    started_ << path;
                                                                    return startWorks_;
                                                                }});
        app_->start();
        QVERIFY(QTest::qWaitForWindowExposed(&app_->studyWindow()));
    }

    // Double-clicks the chooser's entry named `name`.
    void openInChooser(const QString& name) {
        auto* list = chooser<QListWidget>("List1");
        const auto items = list->findItems(name, Qt::MatchExactly);
        QVERIFY2(!items.isEmpty(), qPrintable(name));
        list->setCurrentItem(items.first());
        const QPoint where = list->visualItemRect(items.first()).center();
        // A double click: the item view wants the press of the first click.
        QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, where);
        QTest::mouseDClick(list->viewport(), Qt::LeftButton, {}, where);
    }

    void openFruitLesson() {
        openInChooser(QStringLiteral("初一"));
        openInChooser(QStringLiteral("第一课.txt"));
    }

private slots:
    void init() {
        folder_ = std::make_unique<TempFolder>();
        std::filesystem::create_directories(folder_->path() + "/单词课文/初一");
        std::filesystem::create_directories(folder_->path() + "/单词课文/高一");
        writeGbk("初一/第一课.txt", "apple  苹果\r\npear  梨\r\nplum  李子\r\n");
        writeGbk("word.dat", "I eat an apple.\r\nA pear tree.\r\n");
        voice_ = std::make_unique<FakeVoice>();
        recorder_ = std::make_unique<FakeRecorder>();
        opened_.clear();
        started_.clear();
        startWorks_ = true;
    }
    void cleanup() {
        app_.reset();
        folder_.reset();
    }

    void startPlacesTheWindowsAndDocksTheChooser() {
        startApp();
        const QRect screen = QGuiApplication::primaryScreen()->geometry();
        const QRect window = app_->studyWindow().frameGeometry();
        QCOMPARE(window.topLeft(), QPoint((screen.width() - 800) / 2, (screen.height() - 480) / 2));
        QCOMPARE(window.height(), pixels(4125));
        QVERIFY(app_->chooserWindow().isVisible());
        QCOMPARE(app_->chooserWindow().frameGeometry().left(), window.left() + window.width());
        QCOMPARE(app_->chooserWindow().frameGeometry().top(), window.top());
        QCOMPARE(app_->chooserWindow().windowTitle(), QStringLiteral("课文"));
        QCOMPARE(app_->studyWindow().windowTitle(), QStringLiteral("Lorvane"));
        auto* folders = chooser<QListWidget>("List1");
        QCOMPARE(folders->count(), 2);
        QCOMPARE(folders->item(0)->text(), QStringLiteral("初一"));
        QVERIFY(!chooser<QPushButton>("Command1_1")->isEnabled());
        QCOMPARE(study<QCheckBox>("Check1_1")->checkState(), Qt::Checked);
        QCOMPARE(study<QCheckBox>("Check1_3")->checkState(), Qt::Unchecked);
    }

    // Saved by a Linux editor: UTF-8 with LF line ends, no CR anywhere.
    void aLessonSavedOnLinuxOpensWithOneEntryPerLine() {
        folder_->write("单词课文/初一/第二课.txt", "cat  n. 猫\ndog  n. 狗\n\nfish  n. 鱼\n");
        startApp();
        openInChooser(QStringLiteral("初一"));
        openInChooser(QStringLiteral("第二课.txt"));
        QCOMPARE(study<QLabel>("Label1_1")->text(), QStringLiteral("n. 猫"));
        QCOMPARE(study<QLabel>("Label5")->text(), QStringLiteral("卡中有3个单词"));
    }

    void aLearnerStudiesThroughTheWidgets() {
        startApp();
        openFruitLesson();
        QCOMPARE(app_->chooserWindow().windowTitle(), QStringLiteral("初一"));
        QVERIFY(chooser<QPushButton>("Command1_1")->isEnabled());
        QCOMPARE(study<QLabel>("Label1_1")->text(), QStringLiteral("苹果"));
        QCOMPARE(study<QLabel>("Label5")->text(), QStringLiteral("卡中有3个单词"));
        auto* answer = study<QLineEdit>("Text1");
        app_->studyWindow().activateWindow();
        QTRY_VERIFY(answer->hasFocus());

        QTest::keyClicks(answer, "aple");
        QTest::keyClick(answer, Qt::Key_Return);
        QCOMPARE(study<QLabel>("Label6")->text(), QStringLiteral("你没有写对，请再试一次！"));
        QCOMPARE(study<QLabel>("Label1_0")->text(), QStringLiteral("ap***"));
        answer->clear();
        QTest::keyClicks(answer, "apple");
        QTest::keyClick(answer, Qt::Key_Return);
        QCOMPARE(study<QLabel>("Label6")->text(), QStringLiteral("你终于记住了，还要努力呀！"));
        QCOMPARE(study<QListView>("List2_5")->model()->rowCount(), 1);
        QCOMPARE(study<QListView>("List2_0")->model()->rowCount(), 2);
        QCOMPARE(study<QLabel>("Label5")->text(), QStringLiteral("卡中有2个单词"));
        QCOMPARE(answer->text(), QString());
        QVERIFY(answer->hasFocus());

        // Showing the English at once, through its check box.
        QTest::mouseClick(study<QCheckBox>("Check1_0"), Qt::LeftButton);
        QCOMPARE(study<QLabel>("Label1_0")->text(), QStringLiteral("pear"));
        QTest::mouseClick(study<QPushButton>("Command6"), Qt::LeftButton);
        QCOMPARE(voice_->spoken.back(), std::string("pear"));
    }

    // How the shown word sounds, from the real synthesisers, over the
    // English; never while the English or only a hint of it is shown.
    void theShownWordTellsHowItSounds() {
        auto transcriber = CombinedVoice::create(std::make_unique<SilentOutput>());
        QVERIFY2(transcriber, "a synthesiser must be installed");
        startApp();
        app_->studyWindow().transcribe = [&transcriber](const std::string& english) {
            return transcriber->transcription(english);
        };
        openFruitLesson();
        auto* english = study<QLabel>("Label1_0");
        QCOMPARE(english->text(), QString());
        QCOMPARE(hoveredToolTip(english), QString());

        auto* answer = study<QLineEdit>("Text1");
        QTest::keyClicks(answer, "aple");
        QTest::keyClick(answer, Qt::Key_Return);
        QCOMPARE(english->text(), QStringLiteral("ap***"));
        QCOMPARE(hoveredToolTip(english), QString());

        auto* showEnglish = study<QCheckBox>("Check1_0");
        QTest::mouseClick(showEnglish, Qt::LeftButton);
        QCOMPARE(english->text(), QStringLiteral("apple"));
        QCOMPARE(hoveredToolTip(english), QStringLiteral("/ˈæpəl/"));

        QTest::mouseClick(study<QPushButton>("Command5"), Qt::LeftButton);
        QCOMPARE(english->text(), QStringLiteral("pear"));
        QCOMPARE(hoveredToolTip(english), QStringLiteral("/ˈpɛɹ/"));

        QTest::mouseClick(showEnglish, Qt::LeftButton);
        QCOMPARE(english->text(), QString());
        QCOMPARE(hoveredToolTip(english), QString());
        QCOMPARE(english->toolTip(), QString());
    }

    void theRecordButtonShowsTheRecordingState() {
        startApp();
        openFruitLesson();
        auto* record = study<QPushButton>("Command1");
        QTest::mouseClick(record, Qt::LeftButton);
        QCOMPARE(record->text(), QStringLiteral("停止"));
        QCOMPARE(study<QLabel>("Label6")->text(), QStringLiteral("请大声朗读单词！"));
        recorder_->currentPosition = 2500;
        QTest::mouseClick(record, Qt::LeftButton);
        QCOMPARE(record->text(), QStringLiteral("录音"));
        QCOMPARE(study<QLabel>("Label6")->text(), QStringLiteral("录音结束！"));
        recorder_->calls.clear();
        QTest::mouseClick(study<QPushButton>("Command2"), Qt::LeftButton);
        QCOMPARE(recorder_->calls, std::vector<std::string>{"play 0 2500"});
    }

    void theWordBankAndTheExamplesOpenThePanel() {
        startApp();
        openFruitLesson();
        QTest::mouseClick(study<QPushButton>("Command12"), Qt::LeftButton);
        QTRY_COMPARE(app_->studyWindow().height(), pixels(6060));
        QCOMPARE(study<QLabel>("Label3")->text(),
                 QStringLiteral("可以在下面的单词库中选择当前学习的单词。"));
        auto* bank = study<QListView>("List2_0");
        QVERIFY(bank->isVisible());
        // Choosing a word in the bank shows it.
        QTest::mouseClick(bank->viewport(), Qt::LeftButton, {},
                          bank->visualRect(bank->model()->index(2, 0)).center());
        QCOMPARE(study<QLabel>("Label1_1")->text(), QStringLiteral("李子"));

        QTest::mouseClick(study<QPushButton>("Command5"), Qt::LeftButton);  // ">>" at the end
        QTest::mouseClick(study<QPushButton>("Command3"), Qt::LeftButton);  // "<<"
        QCOMPARE(study<QLabel>("Label1_1")->text(), QStringLiteral("梨"));
        QTest::mouseClick(study<QPushButton>("Command7"), Qt::LeftButton);
        auto* examples = study<QListWidget>("List3");
        QCOMPARE(examples->count(), 1);
        QCOMPARE(examples->item(0)->text(), QStringLiteral("A pear tree."));
        QTest::mouseClick(study<QPushButton>("Command11"), Qt::LeftButton);
        QTRY_COMPARE(app_->studyWindow().height(), pixels(4125));
    }

    void openingALessonWithTheMouseSavesProgressFirst() {
        startApp();
        openFruitLesson();
        auto* open = study<QPushButton>("Command4");
        app_->chooserWindow().hide();
        QTest::mouseClick(open, Qt::LeftButton);
        QVERIFY(std::filesystem::exists(folder_->path() + "/单词课文/初一/第一课.lt0"));
        QVERIFY(app_->chooserWindow().isVisible());

        // From the keyboard the chooser opens without a save.
        std::filesystem::remove(folder_->path() + "/单词课文/初一/第一课.lt0");
        app_->chooserWindow().hide();
        open->setFocus();
        QTest::keyClick(open, Qt::Key_Space);
        QVERIFY(app_->chooserWindow().isVisible());
        QVERIFY(!std::filesystem::exists(folder_->path() + "/单词课文/初一/第一课.lt0"));
    }

    void helpAndTheCompanionUseTheProgramFolder() {
        startApp();
        QTest::mouseClick(study<QPushButton>("Command13"), Qt::LeftButton);
        QCOMPARE(opened_, QStringList{QString::fromStdString(folder_->path()) +
                                      QStringLiteral("/Lorvane说明.htm")});
        QTest::mouseClick(study<QPushButton>("Command14"), Qt::LeftButton);
        QCOMPARE(started_,
                 QStringList{QString::fromStdString(folder_->path()) + QStringLiteral("/Miselle")});

        startWorks_ = false;
        QString message;
        answerNextMessageBox(QMessageBox::Ok, &message);
        QTest::mouseClick(study<QPushButton>("Command14"), Qt::LeftButton);
        QVERIFY(message.contains(QStringLiteral("Miselle")));
    }

    void continuingALessonAsksFirst() {
        startApp();
        openFruitLesson();
        QVERIFY(app_->session().saveProgress().ok());
        answerNextMessageBox(QMessageBox::Cancel);
        openInChooser(QStringLiteral("第一课.txt"));
        QCOMPARE(study<QListView>("List2_0")->model()->rowCount(), 3);
    }

    void closingSavesProgressAndSettings() {
        startApp();
        openFruitLesson();
        auto* answer = study<QLineEdit>("Text1");
        QTest::keyClicks(answer, "apple");
        QTest::keyClick(answer, Qt::Key_Return);
        QTest::mouseClick(study<QPushButton>("Command15_1"), Qt::LeftButton);
        QCOMPARE(folder_->read("单词课文/初一/第一课.lt5"), gbk::encode("apple  苹果\r\n\r\n"));
        const std::string settings = gbk::decode(folder_->read("单词课文/dan.dat"));
        QVERIFY(settings.starts_with("[单词]\r\nwidth="));
        QVERIFY(settings.find("\r\nfilename=" + folder_->path() +
                              "/单词课文/初一/第一课.txt\r\n") != std::string::npos);
        QVERIFY(settings.ends_with("\r\n角色=0\r\n语速=0\r\n"));
    }
};

QTEST_MAIN(StudyWindowTest)
#include "study_window_test.moc"
