#include "trainer/shell/study_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QPainter>
#include <QToolTip>
#include <string_view>

#include "platform/pointer_buttons.h"
#include "ui_support/list_sync.h"
#include "ui_support/plain_text.h"
#include "ui_support/twips.h"
#include "ui_support/wide_rows.h"

namespace lorvane::trainer {

namespace {

// The band of the caption strip and the options: its height, down to the
// voice row, and the height of its first line, above the options' captions.
constexpr int kBandHeight = 26;
constexpr int kBandFirstLine = 10;

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

// Style of the drill's own texts; the rest keeps the desktop's look.
void setPointSize(QWidget* widget, int points, bool bold = false) {
    QFont font = widget->font();
    font.setPointSize(points);
    font.setBold(bold);
    widget->setFont(font);
}

Qt::CheckState checkState(OptionState state) {
    switch (state) {
        case OptionState::Off:
            return Qt::Unchecked;
        case OptionState::On:
            return Qt::Checked;
        case OptionState::Greyed:
            return Qt::PartiallyChecked;
    }
    return Qt::Unchecked;
}

// Starts a timer that should run and isn't, stops one that shouldn't.
void runWhile(QTimer& timer, bool running) {
    if (!running) {
        timer.stop();
    } else if (!timer.isActive()) {
        timer.start();
    }
}

}  // namespace

StudyWindow::StudyWindow(StudySession& session, QString programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      session_(session),
      programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Lorvane"));
    buildControls();
    connectControls();
    captionReleaseWatch_.setInterval(30);
    connect(&captionReleaseWatch_, &QTimer::timeout, this, &StudyWindow::watchCaptionRelease);
    refresh();
}

QPushButton* StudyWindow::button(const char* name, const QString& caption, QRect place,
                                 const QString& tip) {
    auto* b = new QPushButton(caption, this);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(place);
    b->setToolTip(tip);
    b->setFocusPolicy(Qt::TabFocus);
    return b;
}

QLabel* StudyWindow::label(const char* name, const QString& caption, QRect place) {
    auto* l = new QLabel(caption, this);
    l->setObjectName(QString::fromLatin1(name));
    // Lesson lines, file names and the messages quoting them are shown as
    // they are, never taken for markup.
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(place);
    return l;
}

// The caption strip and the row of options below it are one band across
// the top of the window. The row reaches into the strip, so the strip keeps
// its own texts to the band's first line: the program's name at the left,
// "-" and "X" at the right, which answer only there; the options' captions
// take the second line, clear of both.
void StudyWindow::buildCaptionBand() {
    caption_ = label("Label4", QStringLiteral("Lorvane"), ui::twipsRect(0, 0, 6135, 255));
    caption_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    caption_->setIndent(0);
    caption_->setStyleSheet(QStringLiteral("color:white;padding-left:8px;"));
    QFont name = caption_->font();
    name.setPointSize(7);
    name.setBold(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 1);
    caption_->setFont(name);
    caption_->installEventFilter(this);

    const QString options[] = {QStringLiteral("显示英文"), QStringLiteral("显示中文"),
                               QStringLiteral("播放读音"), QStringLiteral("自动翻页"),
                               QStringLiteral("随机换词")};
    QPalette onBand = palette();
    onBand.setColor(QPalette::WindowText, Qt::white);
    for (int i = 0; i < kStudyOptionCount; ++i) {
        auto* box = new QCheckBox(options[i], this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        box->setGeometry(ui::twipsRect(120 + 1200 * i, 120, 1095, 255));
        box->setFocusPolicy(Qt::TabFocus);
        box->setPalette(onBand);
        optionBoxes_[static_cast<std::size_t>(i)] = box;
    }

    QPushButton* minimiseButton =
        button("Command15_0", QStringLiteral("-"), ui::twipsRect(5640, 0, 255, 255),
               QStringLiteral("最小化窗口"));
    QPushButton* closeButton = button("Command15_1", QStringLiteral("X"),
                                      ui::twipsRect(5880, 0, 255, 255), QStringLiteral("退出"));
    for (QPushButton* b : {minimiseButton, closeButton}) {
        b->setStyleSheet(
            QStringLiteral("QPushButton{border:none;background:#487aab;color:white;font:bold 8pt;"
                           "padding:0px 0px %1px 0px;}"
                           "QPushButton#Command15_0{font:bold 11pt;}"
                           "QPushButton:hover{background:#6b98c6;}"
                           "QPushButton#Command15_1:hover{background:#c8413b;}")
                .arg(b->height() - kBandFirstLine));
        // "-" ends a little short of "X", which overlaps it by a pixel.
        const int gap = b == minimiseButton ? 2 : 0;
        b->setMask(QRegion(0, 0, b->width() - gap, kBandFirstLine));
        b->raise();
    }
}

void StudyWindow::paintEvent(QPaintEvent* event) {
    QWidget::paintEvent(event);
    QPainter painter(this);
    painter.fillRect(0, 0, width(), kBandHeight, QColor(0x2f, 0x5f, 0x8f));
}

void StudyWindow::buildControls() {
    setAutoFillBackground(true);
    buildCaptionBand();

    label("Label7", QStringLiteral("朗读语音"), ui::twipsRect(120, 480, 720, 180));
    voiceList_ = new QComboBox(this);
    voiceList_->setObjectName(QStringLiteral("combo1"));
    voiceList_->setGeometry(ui::twipsRect(960, 420, 2055, 300));
    voiceList_->setEditable(true);
    voiceList_->setInsertPolicy(QComboBox::NoInsert);
    // A voice is chosen from the list only: a typed name, even a whole one,
    // chooses none, neither completed while typing nor at Enter or when the
    // box loses the keyboard.
    voiceList_->setCompleter(nullptr);
    disconnect(voiceList_->lineEdit(), &QLineEdit::editingFinished, voiceList_, nullptr);
    label("Label8", QStringLiteral("语速"), ui::twipsRect(3240, 480, 360, 180));
    rateBar_ = new QScrollBar(Qt::Horizontal, this);
    rateBar_->setObjectName(QStringLiteral("HScroll1"));
    rateBar_->setGeometry(ui::twipsRect(3720, 480, 2295, 135));
    rateBar_->setRange(speech::Voice::kMinRate, speech::Voice::kMaxRate);
    rateBar_->setSingleStep(1);
    rateBar_->setPageStep(1);
    rateBar_->setTracking(false);  // only a completed change counts

    recordButton_ = button("Command1", QStringLiteral("录音"), ui::twipsRect(120, 720, 735, 375));
    button("Command2", QStringLiteral("回放"), ui::twipsRect(840, 720, 735, 375));
    button("Command6", QStringLiteral("范读"), ui::twipsRect(1560, 720, 735, 375));
    button("Command7", QStringLiteral("例句"), ui::twipsRect(2280, 720, 735, 375));
    wordBankButton_ =
        button("Command12", QStringLiteral("单词库"), ui::twipsRect(3000, 720, 855, 375));
    wordBankButton_->installEventFilter(this);
    button("Command9", QStringLiteral("退出"), ui::twipsRect(4560, 720, 735, 375));

    boxList_ = new QListWidget(this);
    boxList_->setObjectName(QStringLiteral("List1"));
    boxList_->setGeometry(ui::twipsRect(120, 1200, 1560, 2520));
    boxList_->viewport()->installEventFilter(this);
    boxList_->setFocusPolicy(Qt::NoFocus);

    englishLine_ = label("Label1_0", {}, ui::twipsRect(1800, 1200, 4215, 480));
    setPointSize(englishLine_, 16, true);
    englishLine_->installEventFilter(this);  // its transcription
    meaningLine_ = label("Label1_1", {}, ui::twipsRect(1800, 1720, 4215, 540));
    meaningLine_->setWordWrap(true);
    setPointSize(meaningLine_, 12);
    answerBox_ = new ui::AnswerBox(this);
    answerBox_->setObjectName(QStringLiteral("Text1"));
    answerBox_->setGeometry(ui::twipsRect(1800, 2280, 4215, 330));
    countLine_ = label("Label5", {}, ui::twipsRect(1800, 2680, 2300, 240));

    auto* companion = button("Command14", QStringLiteral("Miselle"),
                             ui::twipsRect(4200, 2640, 495, 255), QStringLiteral("打开Miselle"));
    setPointSize(companion, 6);
    button("Command13", QStringLiteral("?"), ui::twipsRect(4680, 2640, 375, 255),
           QStringLiteral("帮助"));
    button("Command3", QStringLiteral("<<"), ui::twipsRect(5040, 2640, 375, 255),
           QStringLiteral("上一个"));
    openLessonButton_ = button("Command4", QStringLiteral("O"), ui::twipsRect(5400, 2640, 375, 255),
                               QStringLiteral("打开课文"));
    openLessonButton_->installEventFilter(this);
    nextButton_ = button("Command5", QStringLiteral(">>"), ui::twipsRect(5760, 2640, 375, 255),
                         QStringLiteral("下一个"));
    nextButton_->installEventFilter(this);  // Enter presses it too

    messageLine_ = label("Label6", {}, ui::twipsRect(1800, 2960, 4215, 1080));
    messageLine_->setWordWrap(true);
    messageLine_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    messageLine_->setStyleSheet(QStringLiteral("color:#a03000;"));

    // The drop-down panel below the study area.
    panelHint_ = label("Label3", {}, ui::twipsRect(0, 4110, 5625, 225));
    button("Command11", QStringLiteral("X"), ui::twipsRect(5640, 4110, 495, 255),
           QStringLiteral("关闭下拉栏"));
    for (int i = 0; i < kBoxCount; ++i) {
        auto* list = new QListView(this);
        list->setObjectName(QStringLiteral("List2_%1").arg(i));
        list->setGeometry(ui::twipsRect(0, 4350, 6135, 1680));
        list->setUniformItemSizes(true);
        list->setEditTriggers(QAbstractItemView::NoEditTriggers);
        boxModels_[static_cast<std::size_t>(i)] = new BoxListModel(session_.boxes(), i, list);
        list->setModel(boxModels_[static_cast<std::size_t>(i)]);
        list->viewport()->installEventFilter(this);
        list->setFocusPolicy(Qt::NoFocus);
        wordLists_[static_cast<std::size_t>(i)] = list;
    }
    exampleList_ = new QListWidget(this);
    exampleList_->setObjectName(QStringLiteral("List3"));
    exampleList_->setGeometry(ui::twipsRect(0, 4350, 6135, 1680));
    exampleList_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    // Sentences scroll sideways over 900 pixels, however short they are.
    exampleList_->setItemDelegate(new ui::WideRows(900, exampleList_));
    exampleList_->setFocusPolicy(Qt::NoFocus);

    for (const std::string_view name : kBoxNames) {
        auto* item = new QListWidgetItem(
            QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size())), boxList_);
        // Rows ten pixels taller than the list's own.
        item->setSizeHint(QSize(0, boxList_->fontMetrics().height() + 10));
    }
    pageTurn_.setInterval(StudySession::kPageTurnMs);
    recordingLimit_.setInterval(StudySession::kRecordingLimitMs);
}

void StudyWindow::connectControls() {
    auto onClick = [this](const char* name, void (StudyWindow::*handler)()) {
        connect(findChild<QPushButton*>(QString::fromLatin1(name)), &QPushButton::clicked, this,
                handler);
    };
    onClick("Command1", &StudyWindow::toggleRecording);
    onClick("Command2", &StudyWindow::playRecording);
    onClick("Command3", &StudyWindow::previousWord);
    onClick("Command4", &StudyWindow::lessonChooserWanted);
    onClick("Command5", &StudyWindow::nextWord);
    onClick("Command6", &StudyWindow::readAloud);
    onClick("Command7", &StudyWindow::showExamples);
    onClick("Command11", &StudyWindow::collapsePanel);
    onClick("Command12", &StudyWindow::showWordBank);
    onClick("Command13", &StudyWindow::showHelp);
    onClick("Command14", &StudyWindow::startCompanion);
    connect(findChild<QPushButton*>(QStringLiteral("Command9")), &QPushButton::clicked, this,
            &QWidget::close);
    connect(findChild<QPushButton*>(QStringLiteral("Command15_1")), &QPushButton::clicked, this,
            &QWidget::close);
    connect(findChild<QPushButton*>(QStringLiteral("Command15_0")), &QPushButton::clicked, this,
            &QWidget::showMinimized);

    for (int i = 0; i < kStudyOptionCount; ++i) {
        const auto option = static_cast<StudyOption>(i);
        connect(optionBoxes_[static_cast<std::size_t>(i)], &QCheckBox::clicked, this,
                [this, option] { changeOption(option); });
    }
    connect(voiceList_, &QComboBox::activated, this, &StudyWindow::chooseVoice);
    connect(voiceList_, &QComboBox::editTextChanged, this, &StudyWindow::typeVoiceName);
    connect(rateBar_, &QScrollBar::valueChanged, this, &StudyWindow::changeRate);
    connect(answerBox_, &QLineEdit::returnPressed, this, &StudyWindow::submitAnswer);
    connect(answerBox_, &QLineEdit::textEdited, this, &StudyWindow::editAnswer);
    connect(exampleList_, &QListWidget::itemDoubleClicked, this, &StudyWindow::readExample);
    connect(&pageTurn_, &QTimer::timeout, this, &StudyWindow::turnPage);
    connect(&recordingLimit_, &QTimer::timeout, this, &StudyWindow::recordingLimitReached);
}

// --- the learner's events ---

void StudyWindow::submitAnswer() {
    refresh(session_.submitAnswer(answerBox_->text().toStdString()));
}

void StudyWindow::editAnswer(const QString& text) {
    session_.editAnswer(text.toStdString());
}

void StudyWindow::toggleRecording() {
    refresh(session_.toggleRecording());
}

void StudyWindow::playRecording() {
    refresh(session_.playRecording());
}

void StudyWindow::previousWord() {
    refresh(session_.previousWord());
}

void StudyWindow::nextWord() {
    refresh(session_.nextWord());
}

void StudyWindow::readAloud() {
    refresh(session_.readAloud());
}

void StudyWindow::showExamples() {
    refresh(session_.showExamples());
}

void StudyWindow::readExample() {
    refresh(session_.readExample(exampleList_->currentRow()));
}

void StudyWindow::showWordBank() {
    refresh(session_.showWordBank());
}

void StudyWindow::collapsePanel() {
    refresh(session_.collapsePanel());
}

void StudyWindow::changeOption(StudyOption option) {
    refresh(session_.toggleOption(option));  // the box shows what the session made of it
}

void StudyWindow::chooseVoice(int index) {
    refresh(session_.selectVoice(index));
}

void StudyWindow::typeVoiceName(const QString& text) {
    session_.typeVoiceName(text.toStdString());
}

void StudyWindow::changeRate(int rate) {
    if (rate != session_.rate()) {
        refresh(session_.setRate(rate));
    }
}

void StudyWindow::turnPage() {
    refresh(session_.turnPage());
}

void StudyWindow::recordingLimitReached() {
    refresh(session_.recordingLimitReached());
}

void StudyWindow::showHelp() {
    if (openDocument) {
        // A help that doesn't open has told the learner through the desktop.
        (void)openDocument(programFolder_ + QStringLiteral("/Lorvane说明.htm"));
    }
}

void StudyWindow::startCompanion() {
    if (startProgram && !startProgram(programFolder_ + QStringLiteral("/Miselle"))) {
        companionFailed();
    }
}

// Mouse releases come before the click, and only from the mouse: the
// keyboard reaches these controls without them.
void StudyWindow::mouseReleased(QObject* watched) {
    if (watched == wordBankButton_) {
        refresh(session_.openPanel());
    } else if (watched == openLessonButton_) {
        refresh(session_.leaveLessonByMouse());
    } else if (watched == boxList_->viewport()) {
        refresh(session_.chooseBox(boxList_->currentRow()));
    } else {
        for (BoxId box = 0; box < kBoxCount; ++box) {
            QListView* list = wordLists_[static_cast<std::size_t>(box)];
            if (watched == list->viewport()) {
                refresh(session_.chooseEntry(box, list->currentIndex().row()));
            }
        }
    }
}

bool StudyWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        mouseReleased(watched);  // the widget still sees its release
        // A move by the window manager ends with a release that Qt makes up
        // at its start; only the watched button tells its real end.
        if (watched == caption_ && captionDrag_ && !drag_.byWindowSystem() &&
            static_cast<QMouseEvent*>(event)->button() == Qt::LeftButton) {
            endCaptionDrag();
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == caption_) {
        beginCaptionDrag(static_cast<QMouseEvent*>(event));
        return true;
    } else if (event->type() == QEvent::MouseMove && watched == caption_) {
        drag_.follow(*static_cast<QMouseEvent*>(event));
        return true;
    } else if (event->type() == QEvent::ToolTip && watched == englishLine_) {
        showTranscription(*static_cast<QHelpEvent*>(event));
        return true;
    } else if (event->type() == QEvent::KeyPress && watched == nextButton_) {
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key == Qt::Key_Return || key == Qt::Key_Enter) {
            nextButton_->click();
            return true;
        }
    }
    return QWidget::eventFilter(watched, event);
}

// How the word sounds, as the chosen voice says it, over the English while
// it is shown; over a hidden word or a hint it would give the answer away.
// Looked up when the pointer rests on the word, not for every word shown: a
// natural voice's pronouncing dictionary is only loaded for it then.
void StudyWindow::showTranscription(const QHelpEvent& hover) {
    const std::string sound = session_.englishShown() && transcribe
                                  ? transcribe(session_.expectedAnswer())
                                  : std::string();
    if (sound.empty()) {
        QToolTip::hideText();
    } else {
        QToolTip::showText(hover.globalPos(), ui::plainToolTip(qs(sound)), englishLine_);
    }
}

// --- moving the window ---

// Only the window's own background moves it: a press on a label (or on a
// control that takes no press) reaches the window too, and must not.
void StudyWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton || childAt(event->position().toPoint())) {
        return;
    }
    captionDrag_ = false;
    captionReleaseWatch_.stop();
    drag_.begin(*event);
}

void StudyWindow::beginCaptionDrag(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    captionDrag_ = true;
    dockAfterRelease_ = QDeadlineTimer();
    // Only where the button can be watched may the window manager take the
    // move; elsewhere the window moves by hand and hears the release.
    if (platform::leftButtonHeld().has_value()) {
        drag_.begin(*event);
    } else {
        drag_.beginByHand(*event);
    }
    if (drag_.byWindowSystem()) {
        captionReleaseWatch_.start();
    }
}

void StudyWindow::watchCaptionRelease() {
    if (platform::leftButtonHeld().value_or(false)) {
        return;
    }
    endCaptionDrag();
    dockAfterRelease_.setRemainingTime(300);
}

void StudyWindow::endCaptionDrag() {
    captionDrag_ = false;
    captionReleaseWatch_.stop();
    drag_.end();
    emit captionDragEnded();
}

void StudyWindow::mouseMoveEvent(QMouseEvent* event) {
    drag_.follow(*event);
}

void StudyWindow::mouseReleaseEvent(QMouseEvent* event) {
    if (event->button() == Qt::LeftButton) {
        drag_.end();
    }
}

void StudyWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (!dockAfterRelease_.isForever() && !dockAfterRelease_.hasExpired()) {
        emit captionDragEnded();  // the window manager's last placing of the drag
    }
}

void StudyWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    // Save the card boxes, then the settings, then end at once. A failed
    // save of the boxes has been told in a message box; one of the settings
    // is not worth a message at closing time (the next start reads the older
    // values or the defaults).
    (void)session_.saveProgress();
    storeGeometry();
    (void)session_.saveSettings();
    event->accept();
    QCoreApplication::quit();
}

void StudyWindow::companionFailed() {
    QMessageBox::warning(this, QStringLiteral("Lorvane"),
                         QStringLiteral("无法启动Miselle：程序文件夹里没有可以运行的“Miselle”。"));
}

void StudyWindow::storeGeometry() {
    const QRect frame = frameGeometry();
    session_.setPlace({.left = ui::twips(frame.x()),
                       .top = ui::twips(frame.y()),
                       .width = ui::twips(frame.width()),
                       .height = ui::twips(frame.height())});
}

void StudyWindow::applyGeometry() {
    const WindowPlace& place = session_.place();
    move(ui::pixels(place.left), ui::pixels(place.top));
    resize(ui::pixels(place.width), ui::pixels(place.height));
}

// --- showing the session ---

void StudyWindow::refresh(StudyChanges changes) {
    if (changes.has(StudyPart::Options)) {
        refreshOptions();
    }
    if (changes.has(StudyPart::Voices)) {
        refreshVoices();
    }
    if (changes.has(StudyPart::Recording)) {
        recordButton_->setText(session_.recording() ? QStringLiteral("停止")
                                                    : QStringLiteral("录音"));
        runWhile(recordingLimit_, session_.recording());
    }
    if (changes.has(StudyPart::Boxes)) {
        refreshBoxes();
    }
    if (changes.has(StudyPart::Panel)) {
        refreshPanel();
    }
    if (changes.has(StudyPart::Word)) {
        refreshWord();
    }
    // A transcription shown over the word that was there before is stale.
    if ((changes.has(StudyPart::Word) || changes.has(StudyPart::Voices)) &&
        englishLine_->underMouse()) {
        QToolTip::hideText();
    }
    if (changes.has(StudyPart::Message)) {
        messageLine_->setText(qs(session_.message()));
    }
    if (changes.has(StudyPart::AnswerBox)) {
        refreshAnswerBox();
    }
    restoreFocus();
    if (changes.has(StudyPart::PageTurn)) {
        runWhile(pageTurn_, session_.pageTurnPending());
    }
    if (changes.has(StudyPart::Place) && height() != ui::pixels(session_.place().height)) {
        resize(width(), ui::pixels(session_.place().height));
    }
}

void StudyWindow::refreshOptions() {
    for (int i = 0; i < kStudyOptionCount; ++i) {
        QCheckBox* box = optionBoxes_[static_cast<std::size_t>(i)];
        const QSignalBlocker blocker(box);
        const OptionState state = session_.options().state(static_cast<StudyOption>(i));
        // Greyed only as stored: a click makes it a two-state box again.
        box->setTristate(state == OptionState::Greyed);
        box->setCheckState(checkState(state));
    }
}

void StudyWindow::refreshVoices() {
    {
        const QSignalBlocker blocker(voiceList_);
        const std::vector<std::string>& voices = session_.voices();
        if (voiceList_->count() != static_cast<int>(voices.size())) {
            voiceList_->clear();
            for (const std::string& voice : voices) {
                voiceList_->addItem(qs(voice));
            }
        }
        if (session_.selectedVoice() >= 0) {
            voiceList_->setCurrentIndex(session_.selectedVoice());
        } else {
            voiceList_->setCurrentIndex(-1);
            voiceList_->setEditText(qs(session_.typedVoiceName()));
        }
    }
    const QSignalBlocker blocker(rateBar_);
    rateBar_->setValue(session_.rate());
}

void StudyWindow::refreshBoxes() {
    const CardBoxes& boxes = session_.boxes();
    ui::syncListSelection(*boxList_, boxes.chosenBox());
    for (BoxId box = 0; box < kBoxCount; ++box) {
        const auto index = static_cast<std::size_t>(box);
        boxModels_[index]->sync();
        ui::syncListSelection(*wordLists_[index], boxes.selectedEntry(box));
    }
}

void StudyWindow::refreshPanel() {
    ui::syncListItems(*exampleList_, shownExamples_, session_.examples());
    ui::syncListSelection(*exampleList_, session_.selectedExample());
    showFrontList();
    panelHint_->setText(qs(session_.panelHint()));
}

// The lists lie on top of each other in the panel, and only the one in front
// is shown, and only while the window reaches down to the panel: a shown
// list lays out all its rows again after each change, and a right answer
// changes a box of up to 32767 words.
void StudyWindow::showFrontList() {
    const int front = session_.frontList();
    if (front != StudySession::kExamplesInFront && !isBox(front)) {
        return;
    }
    const bool panelReached = height() > exampleList_->y();
    const auto show = [panelReached](QListView* list, bool inFront) {
        const bool shown = panelReached && inFront;
        if (shown && !list->isVisible()) {
            list->show();
            list->scrollTo(list->currentIndex());  // the selection was made while hidden
        } else if (!shown) {
            list->hide();
        }
    };
    for (BoxId box = 0; box < kBoxCount; ++box) {
        show(wordLists_[static_cast<std::size_t>(box)], box == front);
    }
    show(exampleList_, front == StudySession::kExamplesInFront);
}

void StudyWindow::resizeEvent(QResizeEvent* event) {
    QWidget::resizeEvent(event);
    showFrontList();
}

void StudyWindow::refreshWord() {
    englishLine_->setText(qs(session_.englishLine()));
    meaningLine_->setText(qs(session_.meaningLine()));
    meaningLine_->setVisible(session_.meaningShown());
    countLine_->setText(qs(session_.countLine()));
    // English is typed with the Latin keys, which an active Chinese input
    // method would catch; an answer in Chinese needs that input method.
    answerBox_->setInputMethodWanted(!session_.answerIsPlainAscii());
}

void StudyWindow::refreshAnswerBox() {
    if (answerBox_->text() != qs(session_.answerText())) {
        answerBox_->setText(qs(session_.answerText()));
    }
    answerBox_->setEnabled(session_.answerBoxEnabled());
}

void StudyWindow::restoreFocus() {
    if (session_.focus() == StudySession::Focus::AnswerBox && session_.answerBoxEnabled() &&
        isVisible()) {
        answerBox_->setFocus();
    } else if (session_.focus() == StudySession::Focus::RecordButton) {
        recordButton_->setFocus();
    } else if (session_.focus() == StudySession::Focus::NextButton && isVisible()) {
        nextButton_->setFocus();
    }
}

}  // namespace lorvane::trainer
