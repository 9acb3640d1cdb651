#include "companion/shell/main_window.h"

#include <QCloseEvent>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWindow>

#include "companion/engine/companion_engine.h"
#include "companion/shell/colours.h"
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
    refresh();
}

void MainWindow::buildControls() {
    setFixedSize(ui::pixels(2880), ui::pixels(585));
    setAutoFillBackground(true);

    // The meaning. The window's background shows through it, so that the
    // background colour command colours the whole window.
    Label1_ = new QLabel(this);
    Label1_->setObjectName(QStringLiteral("Label1"));
    Label1_->setGeometry(ui::twipsRect(240, 30, 2475, 180));
    Label1_->setAlignment(Qt::AlignCenter);
    Label1_->installEventFilter(this);

    Text1_ = new QLineEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setGeometry(ui::twipsRect(360, 285, 2160, 270));
    QFont serif(QStringLiteral("Times New Roman"), 9);
    serif.setStyleHint(QFont::Serif);  // a serif face where that one is missing
    Text1_->setFont(serif);
    Text1_->setTextMargins(1, 0, 1, 0);
    // English is typed here: a Chinese input method must not catch the keys.
    Text1_->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text1_->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    Text1_->installEventFilter(this);
    connect(Text1_, &QLineEdit::textEdited, this,
            [this](const QString& text) { engine_.model().form1.Text1.text = text.toStdString(); });
    connect(Text1_, &QLineEdit::returnPressed, this, [this] { run(Command::CheckAnswer); });

    // The two small blue buttons in the top corners: the menu and hide.
    const int lefts[] = {0, 2760};
    for (int i = 0; i < 2; ++i) {
        auto* button = new QPushButton(this);
        button->setObjectName(QStringLiteral("Command1_%1").arg(i));
        button->setGeometry(ui::twipsRect(lefts[i], 0, 135, 105));
        button->setFocusPolicy(Qt::NoFocus);
        button->setStyleSheet(
            QStringLiteral("QPushButton{background:#0000c0;border:none;}"
                           "QPushButton:pressed{background:#000080;}"));
        Command1_[i] = button;
    }
    connect(Command1_[0], &QPushButton::clicked, this, [this] {
        if (onPopupMenu) {
            onPopupMenu(QCursor::pos());
        }
    });
    connect(Command1_[1], &QPushButton::clicked, this, [this] { run(Command::HideWindow); });

    // The lesson's lines live in the model; this list only keeps the
    // control's place, below the window's edge.
    List1_ = new QListWidget(this);
    List1_->setObjectName(QStringLiteral("List1"));
    List1_->setGeometry(ui::twipsRect(1800, 1200, 2655, 2040));
    List1_->setFocusPolicy(Qt::NoFocus);
    List1_->hide();
}

void MainWindow::refresh() {
    const Form1& form = engine_.model().form1;
    setColour(this, QPalette::Window, form.backColor);
    setColour(Label1_, QPalette::WindowText, form.Label1.foreColor);
    setColour(Text1_, QPalette::Text, form.Text1.foreColor);
    setColour(Text1_, QPalette::Base, form.Text1.backColor);
    Label1_->setText(qs(form.Label1.caption));
    if (Text1_->text() != qs(form.Text1.text)) {
        Text1_->setText(qs(form.Text1.text));
    }
}

void MainWindow::applyGeometry() {
    const Form1& form = engine_.model().form1;
    move(ui::pixels(form.left), ui::pixels(form.top));
}

void MainWindow::storeGeometry() {
    Form1& form = engine_.model().form1;
    const QPoint place = frameGeometry().topLeft();
    // Twips that name the same pixel stay as they are: a window nobody
    // moved keeps the edges it was given.
    if (place.x() != ui::pixels(form.left)) {
        form.left = ui::twips(place.x());
    }
    if (place.y() != ui::pixels(form.top)) {
        form.top = ui::twips(place.y());
    }
}

void MainWindow::run(Command command) {
    if (onCommand) {
        onCommand(command);
    }
}

std::optional<Command> MainWindow::ctrlKeyCommand(int key) {
    switch (key) {
        case Qt::Key_P:
            return Command::SpeakWord;
        case Qt::Key_S:
            return Command::ShowEnglish;
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
            return Command::BackColour;
        case Qt::Key_F5:
            return Command::ToggleRandom;
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
// and pressing N twice moves on once.
bool MainWindow::answerKeyPress(QKeyEvent* event) {
    if (event->key() == Qt::Key_Control) {
        ctrlHeld_ = 1;
        return false;
    }
    std::optional<Command> command;
    if (ctrlHeld_ == 1) {
        command = ctrlKeyCommand(event->key());
        ctrlHeld_ = 0;
    } else {
        command = plainKeyCommand(event->key());
    }
    if (!command) {
        return false;  // typed as usual
    }
    run(*command);
    return true;
}

bool MainWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == Text1_) {
        if (event->type() == QEvent::KeyPress) {
            return answerKeyPress(static_cast<QKeyEvent*>(event));
        }
        if (event->type() == QEvent::KeyRelease &&
            static_cast<QKeyEvent*>(event)->key() == Qt::Key_Control) {
            ctrlHeld_ = 0;
        }
    } else if (watched == Label1_) {
        switch (event->type()) {
            case QEvent::Enter:
            case QEvent::ToolTip:
                // The tip names the current lesson's file.
                Label1_->setToolTip(qs(engine_.currentLessonFileName()));
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
        ctrlHeld_ = 0;
    }
    QWidget::keyReleaseEvent(event);
}

void MainWindow::mousePressEvent(QMouseEvent* event) {
    if (event->button() == Qt::RightButton) {
        if (onPopupMenu) {
            onPopupMenu(event->globalPosition().toPoint());
        }
        return;
    }
    beginDrag(event);
}

void MainWindow::beginDrag(QMouseEvent* event) {
    manualDrag_ = !(windowHandle() && windowHandle()->startSystemMove());
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
}

void MainWindow::mouseMoveEvent(QMouseEvent* event) {
    if (manualDrag_ && event->buttons() != Qt::NoButton) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
}

void MainWindow::mouseReleaseEvent(QMouseEvent*) {
    endDrag();
}

void MainWindow::endDrag() {
    manualDrag_ = false;
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
    Text1_->setFocus();  // the answer box has the keyboard whenever the window shows
}

void MainWindow::closeEvent(QCloseEvent* event) {
    if (onCloseRequested && !onCloseRequested()) {
        event->ignore();
        return;
    }
    event->accept();
}

}  // namespace lorvane::companion
