// The trainer's real windows, driven through their widgets.
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QInputMethodQueryEvent>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QScrollBar>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QWindow>
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

// Whether the input method may write into what has the keyboard now, asked
// as the desktop's input method asks it.
bool inputMethodAllowed() {
    QObject* focus = QGuiApplication::focusObject();
    if (!focus) {
        return false;
    }
    QInputMethodQueryEvent query(Qt::ImEnabled);
    QCoreApplication::sendEvent(focus, &query);
    return query.value(Qt::ImEnabled).toBool();
}

// Whether a label shows its text as it is: taken for markup, "<b>粗</b>体"
// would be drawn as two bold-and-plain characters, far narrower than the text.
bool showsTextAsItIs(QLabel* label) {
    const bool wrapped = label->wordWrap();
    label->setWordWrap(false);
    const bool whole =
        label->sizeHint().width() >= label->fontMetrics().horizontalAdvance(label->text());
    label->setWordWrap(wrapped);
    return whole;
}

// The pixels of a window that each of `widgets` paints when it is the only
// one of them shown: those that differ from the window without any of them.
QList<QList<QPoint>> paintedAlone(QWidget* window, const QList<QWidget*>& widgets) {
    for (QWidget* widget : widgets) {
        widget->hide();
    }
    const QImage without = window->grab().toImage();
    QList<QList<QPoint>> painted;
    for (QWidget* widget : widgets) {
        widget->show();
        const QImage alone = window->grab().toImage();
        widget->hide();
        QList<QPoint> pixels;
        for (int y = 0; y < alone.height(); ++y) {
            for (int x = 0; x < alone.width(); ++x) {
                if (alone.pixel(x, y) != without.pixel(x, y)) {
                    pixels << QPoint(x, y);
                }
            }
        }
        painted << pixels;
    }
    for (QWidget* widget : widgets) {
        widget->show();
    }
    return painted;
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

    // Dragged by its caption strip, the window brings the chooser back to
    // its right edge when the button is released, not while it is held,
    // however long the window rests; dragged by its background it leaves the
    // chooser where it was; a press on a label doesn't move it at all.
    void theCaptionDocksTheChooserAtTheReleaseAndOnlyBackgroundAndCaptionMove() {
        startApp();
        StudyWindow& window = app_->studyWindow();
        LessonChooserWindow& chooserWindow = app_->chooserWindow();
        const QPoint docked = chooserWindow.pos();
        auto* caption = study<QLabel>("Label4");

        const QPoint start = window.pos();
        QTest::mousePress(caption, Qt::LeftButton, {}, QPoint(30, 8));
        QTest::mouseMove(caption, QPoint(90, 48));
        QTRY_COMPARE(window.pos(), start + QPoint(60, 40));
        QTest::qWait(500);  // resting with the button held
        QCOMPARE(chooserWindow.pos(), docked);
        QTest::mouseRelease(caption, Qt::LeftButton, {}, QPoint(30, 8));
        QTRY_COMPARE(chooserWindow.pos(), QPoint(window.frameGeometry().right() + 1, window.y()));

        const QPoint dockedAgain = chooserWindow.pos();
        const QPoint background(3, 100);  // left of the box list
        QVERIFY(!window.childAt(background));
        QTest::mousePress(&window, Qt::LeftButton, {}, background);
        QTest::mouseMove(&window, background + QPoint(-40, 20));
        QTest::mouseRelease(&window, Qt::LeftButton, {}, background);
        QTRY_COMPARE(window.pos(), start + QPoint(20, 60));
        QTest::qWait(400);
        QCOMPARE(chooserWindow.pos(), dockedAgain);

        openFruitLesson();
        for (const char* name : {"Label6", "Label1_1", "Label5"}) {
            auto* label = study<QLabel>(name);
            const QPoint before = window.pos();
            const QPoint centre = label->rect().center();
            QTest::mousePress(label, Qt::LeftButton, {}, centre);
            QTest::mouseMove(label, centre + QPoint(50, 30));
            QTest::mouseRelease(label, Qt::LeftButton, {}, centre + QPoint(50, 30));
            QTest::qWait(50);
            QCOMPARE(window.pos(), before);
        }
    }

    // The caption strip and the options below it share a band: the name,
    // "-" and "X", and every option's check box and caption are all drawn,
    // and none over another.
    void theCaptionBandCoversNothing() {
        startApp();
        const char* names[] = {"Label4",   "Command15_0", "Command15_1", "Check1_0",
                               "Check1_1", "Check1_2",    "Check1_3",    "Check1_4"};
        QList<QWidget*> widgets;
        for (const char* name : names) {
            widgets << study<QWidget>(name);
        }
        const QList<QList<QPoint>> painted = paintedAlone(&app_->studyWindow(), widgets);
        QHash<QPoint, QString> owner;
        for (qsizetype i = 0; i < widgets.size(); ++i) {
            const QString name = widgets[i]->objectName();
            QVERIFY2(painted[i].size() > 20, qPrintable(name));
            for (const QPoint& pixel : painted[i]) {
                QVERIFY2(!owner.contains(pixel),
                         qPrintable(QStringLiteral("%1 and %2 both paint %3,%4")
                                        .arg(name, owner.value(pixel))
                                        .arg(pixel.x())
                                        .arg(pixel.y())));
                owner.insert(pixel, name);
            }
        }
    }

    // At the start the chooser is a window of its own; "O" opens it as the
    // study window's, which keeps it above and minimises it along.
    void theChooserBelongsToTheStudyWindowOnlyWhenOpenedWithO() {
        startApp();
        LessonChooserWindow& chooserWindow = app_->chooserWindow();
        QVERIFY(chooserWindow.windowHandle());
        QCOMPARE(chooserWindow.windowHandle()->transientParent(), nullptr);
        const QPoint docked = chooserWindow.pos();
        QTest::mouseClick(study<QPushButton>("Command4"), Qt::LeftButton);
        QVERIFY(chooserWindow.isVisible());
        QCOMPARE(chooserWindow.windowHandle()->transientParent(),
                 app_->studyWindow().windowHandle());
        QCOMPARE(chooserWindow.pos(), docked);
        QCOMPARE(chooserWindow.windowTitle(), QStringLiteral("课文"));
    }

    // "显示英文" stored greyed starts partly checked; clicks then switch it on
    // and off like any check box.
    void aGreyedOptionSwitchesOnAndOffAfterwards() {
        writeGbk("dan.dat", "[单词]\r\ncheck0=2\r\n");
        startApp();
        openFruitLesson();
        auto* showEnglish = study<QCheckBox>("Check1_0");
        auto* english = study<QLabel>("Label1_0");
        QCOMPARE(showEnglish->checkState(), Qt::PartiallyChecked);
        QCOMPARE(english->text(), QStringLiteral("apple"));
        const Qt::CheckState states[] = {Qt::Checked, Qt::Unchecked, Qt::Checked, Qt::Unchecked,
                                         Qt::Checked};
        for (const Qt::CheckState state : states) {
            QTest::mouseClick(showEnglish, Qt::LeftButton);
            QCOMPARE(showEnglish->checkState(), state);
            QCOMPARE(english->text(), state == Qt::Checked ? QStringLiteral("apple") : QString());
        }
    }

    // A voice is chosen from the list; a name typed into it chooses none,
    // also when it is a whole voice name followed by Enter or a change of
    // focus.
    void aTypedVoiceNameChoosesNoVoice() {
        startApp();
        auto* voices = study<QComboBox>("combo1");
        QCOMPARE(voices->currentIndex(), 0);
        voice_->selections.clear();
        app_->studyWindow().activateWindow();
        voices->lineEdit()->setFocus();
        QTRY_VERIFY(voices->lineEdit()->hasFocus());
        voices->lineEdit()->selectAll();
        QTest::keyClicks(voices->lineEdit(), "English (Great Britain) (en-gb)");
        QTest::keyClick(voices->lineEdit(), Qt::Key_Return);
        study<QLineEdit>("Text1")->setFocus();
        QCOMPARE(app_->session().selectedVoice(), -1);
        QVERIFY(voice_->selections.empty());
        QCOMPARE(voices->currentText(), QStringLiteral("English (Great Britain) (en-gb)"));

        voices->lineEdit()->setFocus();
        voices->lineEdit()->clear();
        QTest::keyClicks(voices->lineEdit(), "Mand");  // no completion chooses Mandarin
        QTest::keyClick(voices->lineEdit(), Qt::Key_Enter);
        QCOMPARE(voices->currentText(), QStringLiteral("Mand"));
        QVERIFY(voice_->selections.empty());

        emit voices->activated(2);  // chosen from the list
        QCOMPARE(app_->session().selectedVoice(), 2);
        QCOMPARE(voice_->selections, std::vector<int>{2});
    }

    void theExampleListScrollsOver900Pixels() {
        startApp();
        openFruitLesson();
        QTest::mouseClick(study<QPushButton>("Command7"), Qt::LeftButton);
        auto* examples = study<QListWidget>("List3");
        QCOMPARE(examples->count(), 1);
        QTRY_VERIFY(examples->isVisible());
        QTRY_COMPARE(examples->horizontalScrollBar()->maximum(),
                     900 - examples->viewport()->width());
    }

    // A third wrong answer leaves the answer box closed; Enter (or Space)
    // then goes on with ">>".
    void afterAThirdFailureEnterGoesOn() {
        writeGbk("dan.dat", "[单词]\r\ncheck3=0\r\n");  // no page turn
        writeGbk("初一/五个.txt", "a  1\r\nb  2\r\nc  3\r\nd  4\r\ne  5\r\n");
        startApp();
        openInChooser(QStringLiteral("初一"));
        openInChooser(QStringLiteral("五个.txt"));
        app_->studyWindow().activateWindow();
        auto* answer = study<QLineEdit>("Text1");
        QTRY_VERIFY(answer->hasFocus());
        for (const char* wrong : {"x", "y", "z"}) {
            answer->clear();
            QTest::keyClicks(answer, wrong);
            QTest::keyClick(answer, Qt::Key_Return);
        }
        QVERIFY(!answer->isEnabled());
        auto* next = study<QPushButton>("Command5");
        QVERIFY(next->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCOMPARE(study<QLabel>("Label1_1")->text(), QStringLiteral("3"));  // a has left
        QVERIFY(answer->isEnabled());
        QVERIFY(answer->hasFocus());

        for (const char* wrong : {"x", "y", "z"}) {
            answer->clear();
            QTest::keyClicks(answer, wrong);
            QTest::keyClick(answer, Qt::Key_Return);
        }
        QVERIFY(next->hasFocus());
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Space);
        QCOMPARE(study<QLabel>("Label1_1")->text(), QStringLiteral("5"));
        QVERIFY(answer->hasFocus());
    }

    // Lesson lines and file names are shown as they are, markup and all.
    void textsFromFilesAreShownAsTheyAre() {
        writeGbk("初一/标记.txt", "<b>粗</b>体  &lt;小于 <i>斜</i>\r\n");
        writeGbk("初一/<b>空.txt", "\r\n");
        writeGbk("dan.dat", "[单词]\r\ncheck0=1\r\n");
        startApp();
        openInChooser(QStringLiteral("初一"));
        openInChooser(QStringLiteral("标记.txt"));
        auto* english = study<QLabel>("Label1_0");
        auto* meaning = study<QLabel>("Label1_1");
        QCOMPARE(english->text(), QStringLiteral("<b>粗</b>体"));
        QCOMPARE(meaning->text(), QStringLiteral("&lt;小于 <i>斜</i>"));
        QVERIFY(showsTextAsItIs(english));
        QVERIFY(showsTextAsItIs(meaning));
        openInChooser(QStringLiteral("<b>空.txt"));
        auto* message = study<QLabel>("Label6");
        QCOMPARE(message->text(), QStringLiteral("课文“<b>空.txt”里没有单词。"));
        QVERIFY(showsTextAsItIs(message));
    }

    // An input method is kept out of the answer box only while the answer
    // is typed with the Latin keys: a reversed lesson is answered in Chinese.
    void theInputMethodIsOffOnlyForLatinAnswers() {
        writeGbk("初一/反向.txt", "苹果  apple\r\nbanana  香蕉\r\n");
        startApp();
        openInChooser(QStringLiteral("初一"));
        openInChooser(QStringLiteral("反向.txt"));
        app_->studyWindow().activateWindow();
        auto* answer = study<QLineEdit>("Text1");
        QTRY_VERIFY(answer->hasFocus());
        QVERIFY(inputMethodAllowed());
        QInputMethodEvent typed;
        typed.setCommitString(QStringLiteral("苹果"));
        QCoreApplication::sendEvent(answer, &typed);
        QTest::keyClick(answer, Qt::Key_Return);
        QCOMPARE(study<QLabel>("Label6")->text(), QStringLiteral("不错，你很聪明！"));
        QCOMPARE(study<QLabel>("Label1_1")->text(), QStringLiteral("香蕉"));
        QVERIFY(answer->hasFocus());
        QVERIFY(!inputMethodAllowed());
    }

    // The progress of a lesson stored without ".txt" can't be kept: the
    // message line says so when the window comes up, and closing asks nothing.
    void aLessonWithoutTxtIsToldOnceAndClosesQuietly() {
        writeGbk("dan.dat", "[单词]\r\nfilename=" + folder_->path() + "/单词课文/初一/旧课\r\n");
        startApp();
        QCOMPARE(study<QLabel>("Label6")->text(),
                 QStringLiteral("课文“旧课”的名字里没有“.txt”，学习进度无法读取，也无法保存。"));
        QString asked;
        QTimer watch;
        connect(&watch, &QTimer::timeout, [&asked] {
            if (auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget())) {
                asked = box->text();
                box->close();
            }
        });
        watch.start(20);
        QTest::mouseClick(study<QPushButton>("Command4"), Qt::LeftButton);  // saves first
        QTest::mouseClick(study<QPushButton>("Command15_1"), Qt::LeftButton);
        QTest::qWait(100);
        QCOMPARE(asked, QString());
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
