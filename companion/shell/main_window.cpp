#include "companion/shell/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "companion/engine/companion_engine.h"
#include "companion/shell/colours.h"
#include "ui_support/plain_text.h"
#include "ui_support/twips.h"

namespace lorvane::companion {

namespace {

QString qs(const std::string& text) {
    return QString::fromStdString(text);
}

void setColour(QWidget* widget, QPalette::ColorRole role, Colour colour) {
    QPalette palette = widget->palette();
    if (palette.color(role) != toQColor(colour)) {
        palette.setColor(role, toQColor(colour));
        widget->setPalette(palette);
    }
}

}  // namespace

MainWindow::MainWindow(CompanionEngine& engine, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint), engine_(engine) {
    setObjectName(QStringLiteral("Form1"));
    // No caption is drawn; the title names the window in window lists.
    setWindowTitle(QStringLiteral("Miselle"));
    buildControls();
    repaint(Changes::everything());
}

void MainWindow::buildControls() {
    setFixedSize(ui::pixels(2880), ui::pixels(585));
    setAutoFillBackground(true);

    // The meaning. The window's background shows through it, so that the
    // background colour command colours the whole window.
    meaningLabel_ = new QLabel(this);
    meaningLabel_->setObjectName(QStringLiteral("Label1"));
    meaningLabel_->setGeometry(ui::twipsRect(240, 30, 2475, 180));
    meaningLabel_->setAlignment(Qt::AlignCenter);
    ui::showAsPlainText(meaningLabel_);  // a meaning is the lesson's text, never markup
    meaningLabel_->installEventFilter(this);

    answerBox_ = new ui::AnswerBox(this);
    answerBox_->setObjectName(QStringLiteral("Text1"));
    answerBox_->setGeometry(ui::twipsRect(360, 285, 2160, 270));
    QFont serif(QStringLiteral("Times New Roman"), 9);
    serif.setStyleHint(QFont::Serif);  // a serif face where that one is missing
    answerBox_->setFont(serif);
    answerBox_->setTextMargins(1, 0, 1, 0);
    answerBox_->installEventFilter(this);
    connect(answerBox_, &QLineEdit::textEdited, this, &MainWindow::editAnswer);
    connect(answerBox_, &QLineEdit::returnPressed, this, &MainWindow::submitAnswer);

    // The two small blue buttons in the top corners: the menu and hide.
    const auto cornerButton = [this](int index, int left) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(index));
        button->setGeometry(ui::twipsRect(left, 0, 135, 105));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(
            QStringLiteral("QPushButton{background:#0000c0;border:none;}"
                           "QPushButton:pressed{background:#000080;}"));
        return button;
    };
    menuButton_ = cornerButton(0, 0);
    hideButton_ = cornerButton(1, 2760);
    connect(menuButton_, &QPushButton::clicked, this, &MainWindow::menuButtonClicked);
    connect(hideButton_, &QPushButton::clicked, this, &MainWindow::hideButtonClicked);
    // The lesson's lines live in the engine, and no list of them is ever
    // shown: the window has no list control.
}

void MainWindow::repaint(Changes changes) {
    if (changes.has(Change::Colours)) {
        const WindowColours& colours = engine_.colours();
        setColour(this, QPalette::Window, colours.background);
        setColour(meaningLabel_, QPalette::WindowText, colours.text);
        setColour(answerBox_, QPalette::Text, colours.text);
        setColour(answerBox_, QPalette::Base, colours.background);
    }
    if (changes.has(Change::Item)) {
        meaningLabel_->setText(qs(engine_.item().meaning()));
        answerBox_->setInputMethodWanted(!engine_.item().expectsPlainAscii());
    }
    if (changes.has(Change::Answer) && answerBox_->text() != qs(engine_.item().answer())) {
        answerBox_->setText(qs(engine_.item().answer()));
    }
}

void MainWindow::applyGeometry() {
    const WindowPlace& place = engine_.place();
    move(ui::pixels(place.left), ui::pixels(place.top));
}

void MainWindow::storeGeometry() {
    WindowPlace place = engine_.place();
    const QPoint corner = frameGeometry().topLeft();
    // Twips that name the same pixel stay as they are: a window nobody
    // moved keeps the edges it was given.
    if (corner.x() != ui::pixels(place.left)) {
        place.left = ui::twips(corner.x());
    }
    if (corner.y() != ui::pixels(place.top)) {
        place.top = ui::twips(corner.y());
    }
    engine_.windowMoved(place);
}

void MainWindow::submitAnswer() {
    engine_.submitAnswer(answerBox_->text().toStdString());
    emit engineActed();
}

void MainWindow::editAnswer(const QString& text) {
    engine_.editAnswer(text.toStdString());
}

void MainWindow::menuButtonClicked() {
    emit menuRequested(QCursor::pos());
}

void MainWindow::hideButtonClicked() {
    emit commandGiven(Command::HideWindow);
}

std::optional<Command> MainWindow::ctrlKeyCommand(int key) {
    switch (key) {
        case Qt::Key_P:
            return Command::SpeakWord;
        case Qt::Key_S:
            return Command::RevealEnglish;
        case Qt::Key_B:
            return Command::PreviousItem;
        case Qt::Key_N:
            return Command::NextItem;
        case Qt::Key_Q:
            return Command::PreviousGroup;
        case Qt::Key_H:
            return Command::NextGroup;
        default:
            return std::nullopt;
    }
}

std::optional<Command> MainWindow::plainKeyCommand(int key) {
    switch (key) {
        case Qt::Key_F1:
            return Command::VoiceSettings;
        case Qt::Key_F2:
            return Command::LessonList;
        case Qt::Key_F3:
            return Command::TextColour;
        case Qt::Key_F4:
            return Command::BackgroundColour;
        case Qt::Key_F5:
            return Command::ToggleRandomOrder;
        case Qt::Key_F6:
            return Command::HideWindow;
        case Qt::Key_F9:
            return Command::Exit;
        default:
            return std::nullopt;
    }
}

// A Ctrl key-down arms the Ctrl table for exactly the next key-down; it is
// the flag, not the keyboard's modifier state, that decides, so holding Ctrl
// and pressing N twice moves on once. Other keys are typed as usual, but
// for Enter with Ctrl held, which makes a line feed: the answer is checked
// only on the Enter character itself.
bool MainWindow::answerKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        ctrlHeld_ = true;
        return false;
    }
    std::optional<Command> command;
    if (ctrlHeld_) {
        command = ctrlKeyCommand(event->key());
        ctrlHeld_ = false;
    } else {
        command = plainKeyCommand(event->key());
    }
    if (!command) {
        const bool enter = event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter;
        return enter && event->modifiers().testFlag(Qt::ControlModifier);
    }
    emit commandGiven(*command);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == answerBox_) {
        if (event->type() == QEvent::KeyPress) {
            return answerKeyPress(static_cast<QKeyEvent*>(event));
        }
        if (event->type() == QEvent::KeyRelease &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control) {
            ctrlHeld_ = false;
        }
    } else if (watched == meaningLabel_) {
        switch (event->type()) {
            case QEvent::Enter:
            case QEvent::ToolTip:
                // The tip names the current lesson's file.
                meaningLabel_->setToolTip(ui::plainToolTip(qs(engine_.currentLessonFileName())));
                break;
            case QEvent::MouseButtonPress:
                beginDrag(static_cast<QMouseEvent*>(event));  // any button, the right one too
                return true;
            case QEvent::MouseMove:
                mouseMoveEvent(static_cast<QMouseEvent*>(event));
                return true;
            case QEvent::MouseButtonRelease:
                endDrag();
                return true;
            default:
                break;
        }
    }
    return QWidget::eventFilter(watched, event);
}

void MainWindow::keyReleaseEvent(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        ctrlHeld_ = false;
    }
    QWidget::keyReleaseEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        emit menuRequested(event->globalPosition().toPoint());
        return;
    }
    beginDrag(event);
}

void MainWindow::beginDrag(QMouseEvent* event) {
    drag_.begin(*event);
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    drag_.follow(*event);
}

void MainWindow::mouseReleaseEvent(QMouseEvent*) {
    endDrag();
}

void MainWindow::endDrag() {
    drag_.end();
    storeGeometry();
}

void MainWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (isVisible()) {
        storeGeometry();
    }
}

void MainWindow::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    answerBox_->setFocus();  // the answer box has the keyboard whenever the window shows
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (closeGuard_ && !closeGuard_()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace lorvane::companion
