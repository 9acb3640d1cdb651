#include "trainer/shell/study_window.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QMessageBox>
#include <QMouseEvent>
#include <QScreen>
#include <QWindow>

#include "trainer/shell/list_sync.h"
#include "ui_support/twips.h"

namespace lorvane::trainer {

namespace {

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

}  // namespace

StudyWindow::StudyWindow(Form2& model, QString programFolder, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::FramelessWindowHint),
      model_(model),
      programFolder_(std::move(programFolder)) {
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Lorvane"));
    buildControls();
    connectControls();
    dragSettled_.setSingleShot(true);
    dragSettled_.setInterval(300);
    connect(&dragSettled_, &QTimer::timeout, this, [this] {
        captionDrag_ = false;
        if (onCaptionDragEnded) {
            onCaptionDragEnded();
        }
    });
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
    l->setGeometry(place);
    return l;
}

void StudyWindow::buildControls() {
    setAutoFillBackground(true);

    Label4_ = label("Label4", QStringLiteral("Lorvane"), ui::twipsRect(0, 0, 6135, 255));
    Label4_->setAutoFillBackground(true);
    Label4_->setStyleSheet(QStringLiteral("background:#2f5f8f;color:white;padding-left:4px;"));
    Label4_->installEventFilter(this);
    Command15_[0] = button("Command15_0", QStringLiteral("-"), ui::twipsRect(5640, 0, 255, 255),
                           QStringLiteral("最小化窗口"));
    Command15_[1] = button("Command15_1", QStringLiteral("X"), ui::twipsRect(5880, 0, 255, 255),
                           QStringLiteral("退出"));

    const QString options[] = {QStringLiteral("显示英文"), QStringLiteral("显示中文"),
                               QStringLiteral("播放读音"), QStringLiteral("自动翻页"),
                               QStringLiteral("随机换词")};
    for (int i = 0; i < 5; ++i) {
        auto* box = new QCheckBox(options[i], this);
        box->setObjectName(QStringLiteral("Check1_%1").arg(i));
        box->setGeometry(ui::twipsRect(120 + 1200 * i, 120, 1095, 255));
        box->setFocusPolicy(Qt::TabFocus);
        Check1_[static_cast<std::size_t>(i)] = box;
    }

    // The option boxes reach into the caption strip: keep its buttons on top.
    Command15_[0]->raise();
    Command15_[1]->raise();

    label("Label7", QStringLiteral("朗读语音"), ui::twipsRect(120, 480, 720, 180));
    combo1_ = new QComboBox(this);
    combo1_->setObjectName(QStringLiteral("combo1"));
    combo1_->setGeometry(ui::twipsRect(960, 420, 2055, 300));
    combo1_->setEditable(true);
    combo1_->setInsertPolicy(QComboBox::NoInsert);
    label("Label8", QStringLiteral("语速"), ui::twipsRect(3240, 480, 360, 180));
    HScroll1_ = new QScrollBar(Qt::Horizontal, this);
    HScroll1_->setObjectName(QStringLiteral("HScroll1"));
    HScroll1_->setGeometry(ui::twipsRect(3720, 480, 2295, 135));
    HScroll1_->setRange(speech::Voice::kMinRate, speech::Voice::kMaxRate);
    HScroll1_->setSingleStep(1);
    HScroll1_->setPageStep(1);
    HScroll1_->setTracking(false);  // only a completed change counts

    Command1_ = button("Command1", QStringLiteral("录音"), ui::twipsRect(120, 720, 735, 375));
    button("Command2", QStringLiteral("回放"), ui::twipsRect(840, 720, 735, 375));
    button("Command6", QStringLiteral("范读"), ui::twipsRect(1560, 720, 735, 375));
    button("Command7", QStringLiteral("例句"), ui::twipsRect(2280, 720, 735, 375));
    Command12_ = button("Command12", QStringLiteral("单词库"), ui::twipsRect(3000, 720, 855, 375));
    Command12_->installEventFilter(this);
    button("Command9", QStringLiteral("退出"), ui::twipsRect(4560, 720, 735, 375));

    List1_ = new QListWidget(this);
    List1_->setObjectName(QStringLiteral("List1"));
    List1_->setGeometry(ui::twipsRect(120, 1200, 1560, 2520));
    List1_->viewport()->installEventFilter(this);
    List1_->setFocusPolicy(Qt::NoFocus);

    Label1_[0] = label("Label1_0", {}, ui::twipsRect(1800, 1200, 4215, 480));
    setPointSize(Label1_[0], 16, true);
    Label1_[1] = label("Label1_1", {}, ui::twipsRect(1800, 1720, 4215, 540));
    Label1_[1]->setWordWrap(true);
    setPointSize(Label1_[1], 12);
    Text1_ = new QLineEdit(this);
    Text1_->setObjectName(QStringLiteral("Text1"));
    Text1_->setGeometry(ui::twipsRect(1800, 2280, 4215, 330));
    // English is typed here: a Chinese input method must not catch the keys.
    Text1_->setAttribute(Qt::WA_InputMethodEnabled, false);
    Text1_->setInputMethodHints(Qt::ImhLatinOnly | Qt::ImhNoPredictiveText);
    Label5_ = label("Label5", {}, ui::twipsRect(1800, 2680, 2300, 240));

    auto* companion = button("Command14", QStringLiteral("Miselle"),
                             ui::twipsRect(4200, 2640, 495, 255), QStringLiteral("打开Miselle"));
    setPointSize(companion, 6);
    button("Command13", QStringLiteral("?"), ui::twipsRect(4680, 2640, 375, 255),
           QStringLiteral("帮助"));
    button("Command3", QStringLiteral("<<"), ui::twipsRect(5040, 2640, 375, 255),
           QStringLiteral("上一个"));
    Command4_ = button("Command4", QStringLiteral("O"), ui::twipsRect(5400, 2640, 375, 255),
                       QStringLiteral("打开课文"));
    Command4_->installEventFilter(this);
    button("Command5", QStringLiteral(">>"), ui::twipsRect(5760, 2640, 375, 255),
           QStringLiteral("下一个"));

    Label6_ = label("Label6", {}, ui::twipsRect(1800, 2960, 4215, 1080));
    Label6_->setWordWrap(true);
    Label6_->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    Label6_->setStyleSheet(QStringLiteral("color:#a03000;"));

    // The drop-down panel below the study area.
    Label3_ = label("Label3", {}, ui::twipsRect(0, 4110, 5625, 225));
    button("Command11", QStringLiteral("X"), ui::twipsRect(5640, 4110, 495, 255),
           QStringLiteral("关闭下拉栏"));
    for (int i = 0; i < kBoxCount; ++i) {
        auto* list = new QListWidget(this);
        list->setObjectName(QStringLiteral("List2_%1").arg(i));
        list->setGeometry(ui::twipsRect(0, 4350, 6135, 1680));
        list->setUniformItemSizes(true);
        list->viewport()->installEventFilter(this);
        list->setFocusPolicy(Qt::NoFocus);
        List2_[static_cast<std::size_t>(i)] = list;
    }
    List3_ = new QListWidget(this);
    List3_->setObjectName(QStringLiteral("List3"));
    List3_->setGeometry(ui::twipsRect(0, 4350, 6135, 1680));
    List3_->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    List3_->setFocusPolicy(Qt::NoFocus);

    Timer1_.setSingleShot(false);
    Timer2_.setSingleShot(false);
}

void StudyWindow::handle(const std::function<void()>& action) {
    action();
    refresh();
}

void StudyWindow::connectControls() {
    auto onClick = [this](const char* name, std::function<void()> action) {
        auto* b = findChild<QPushButton*>(QString::fromLatin1(name));
        connect(b, &QPushButton::clicked, this, [this, action] { handle(action); });
    };
    onClick("Command1", [this] { model_.command1Click(); });
    onClick("Command2", [this] { model_.command2Click(); });
    onClick("Command3", [this] { model_.command3Click(); });
    onClick("Command5", [this] { model_.command5Click(); });
    onClick("Command6", [this] { model_.command6Click(); });
    onClick("Command7", [this] { model_.command7Click(); });
    onClick("Command11", [this] { model_.command11Click(); });
    onClick("Command12", [this] { model_.command12Click(); });
    onClick("Command4", [this] {
        if (onShowChooser) {
            onShowChooser();
        }
    });
    onClick("Command9", [this] { close(); });
    onClick("Command15_1", [this] { close(); });
    onClick("Command15_0", [this] { showMinimized(); });
    onClick("Command13", [this] {
        if (openDocument) {
            openDocument(programFolder_ + QStringLiteral("/Lorvane说明.htm"));
        }
    });
    onClick("Command14", [this] {
        if (startProgram && !startProgram(programFolder_ + QStringLiteral("/Miselle"))) {
            companionFailed();
        }
    });

    for (int i = 0; i < 5; ++i) {
        connect(Check1_[static_cast<std::size_t>(i)], &QCheckBox::clicked, this, [this, i] {
            handle([this, i] {
                model_.Check1[static_cast<std::size_t>(i)].value =
                    Check1_[static_cast<std::size_t>(i)]->checkState() == Qt::Checked ? 1 : 0;
                model_.check1Click(i);
            });
        });
    }
    connect(combo1_, &QComboBox::activated, this, [this](int index) {
        handle([this, index] {
            model_.combo1.selected = index;
            model_.combo1Click();
        });
    });
    connect(combo1_, &QComboBox::editTextChanged, this, [this](const QString& text) {
        // Typed text chooses no voice and leaves no entry selected.
        if (text != combo1_->itemText(combo1_->currentIndex())) {
            model_.combo1.selected = -1;
        }
        model_.combo1Text = text.toStdString();
    });
    connect(HScroll1_, &QScrollBar::valueChanged, this, [this](int value) {
        if (value != model_.HScroll1) {
            handle([this, value] {
                model_.HScroll1 = value;
                model_.hscroll1Change();
            });
        }
    });
    connect(Text1_, &QLineEdit::returnPressed, this, [this] {
        handle([this] {
            model_.Text1.text = Text1_->text().toStdString();
            model_.text1Enter();
        });
    });
    connect(Text1_, &QLineEdit::textEdited, this,
            [this](const QString& text) { model_.Text1.text = text.toStdString(); });
    connect(List3_, &QListWidget::itemDoubleClicked, this, [this] {
        handle([this] {
            model_.List3.selected = List3_->currentRow();
            model_.list3DblClick();
        });
    });
    connect(&Timer1_, &QTimer::timeout, this, [this] { handle([this] { model_.timer1Tick(); }); });
    connect(&Timer2_, &QTimer::timeout, this, [this] { handle([this] { model_.timer2Tick(); }); });
}

bool StudyWindow::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::MouseButtonRelease) {
        // Mouse releases come before the click, and only from the mouse:
        // the keyboard reaches these buttons without them.
        if (watched == Command12_) {
            model_.command12MouseUp();
            refresh();
        } else if (watched == Command4_) {
            model_.savelist();
            refresh();
        } else if (watched == List1_->viewport()) {
            handle([this] {
                model_.List1.selected = List1_->currentRow();
                model_.list1MouseUp();
            });
        } else {
            for (int i = 0; i < kBoxCount; ++i) {
                if (watched == List2_[static_cast<std::size_t>(i)]->viewport()) {
                    handle([this, i] {
                        model_.List2[static_cast<std::size_t>(i)].selected =
                            List2_[static_cast<std::size_t>(i)]->currentRow();
                        model_.list2MouseUp(i);
                    });
                }
            }
        }
    } else if (event->type() == QEvent::MouseButtonPress && watched == Label4_) {
        beginDrag(static_cast<QMouseEvent*>(event), true);
        return true;
    } else if (event->type() == QEvent::MouseMove && watched == Label4_) {
        mouseMoveEvent(static_cast<QMouseEvent*>(event));
        return true;
    }
    return QWidget::eventFilter(watched, event);
}

void StudyWindow::mousePressEvent(QMouseEvent* event) {
    beginDrag(event, false);
}

void StudyWindow::beginDrag(QMouseEvent* event, bool byCaption) {
    if (event->button() != Qt::LeftButton) {
        return;
    }
    captionDrag_ = byCaption;
    manualDrag_ = !(windowHandle() && windowHandle()->startSystemMove());
    dragOffset_ = event->globalPosition().toPoint() - frameGeometry().topLeft();
    if (byCaption) {
        dragSettled_.start();
    }
}

void StudyWindow::mouseMoveEvent(QMouseEvent* event) {
    if (manualDrag_ && (event->buttons() & Qt::LeftButton)) {
        move(event->globalPosition().toPoint() - dragOffset_);
    }
}

void StudyWindow::moveEvent(QMoveEvent* event) {
    QWidget::moveEvent(event);
    if (captionDrag_) {
        dragSettled_.start();  // docks once the window has come to rest
    }
}

void StudyWindow::closeEvent(QCloseEvent* event) {
    if (closing_) {
        event->accept();
        return;
    }
    closing_ = true;
    // Save the card boxes, then the settings, then end at once.
    model_.savelist();
    storeGeometry();
    model_.savesetting();
    event->accept();
    QCoreApplication::quit();
}

void StudyWindow::companionFailed() {
    QMessageBox::warning(this, QStringLiteral("Lorvane"),
                         QStringLiteral("无法启动Miselle：程序文件夹里没有可以运行的“Miselle”。"));
}

void StudyWindow::storeGeometry() {
    const QRect frame = frameGeometry();
    model_.left = ui::twips(frame.x());
    model_.top = ui::twips(frame.y());
    model_.width = ui::twips(frame.width());
    model_.height = ui::twips(frame.height());
}

void StudyWindow::applyGeometry() {
    move(ui::pixels(model_.left), ui::pixels(model_.top));
    resize(ui::pixels(model_.width), ui::pixels(model_.height));
}

void StudyWindow::syncTimer(QTimer& timer, const common::TimerState& state) {
    timer.setInterval(state.interval);
    if (!state.enabled) {
        timer.stop();
    } else if (!timer.isActive()) {
        timer.start();
    }
}

void StudyWindow::refresh() {
    for (int i = 0; i < 5; ++i) {
        const QSignalBlocker blocker(Check1_[static_cast<std::size_t>(i)]);
        const int value = model_.Check1[static_cast<std::size_t>(i)].value;
        Check1_[static_cast<std::size_t>(i)]->setCheckState(value == 0   ? Qt::Unchecked
                                                            : value == 1 ? Qt::Checked
                                                                         : Qt::PartiallyChecked);
    }
    {
        const QSignalBlocker blocker(combo1_);
        if (combo1_->count() != model_.combo1.count()) {
            combo1_->clear();
            for (const std::string& voice : model_.combo1.items()) {
                combo1_->addItem(qs(voice));
            }
        }
        if (model_.combo1.selected >= 0) {
            combo1_->setCurrentIndex(model_.combo1.selected);
        } else {
            combo1_->setCurrentIndex(-1);
            combo1_->setEditText(qs(model_.combo1Text));
        }
    }
    {
        const QSignalBlocker blocker(HScroll1_);
        HScroll1_->setValue(model_.HScroll1);
    }
    Command1_->setText(qs(model_.Command1.caption));

    if (List1_->count() != model_.List1.count()) {
        List1_->clear();
        for (const std::string& name : model_.List1.items()) {
            auto* item = new QListWidgetItem(qs(name), List1_);
            // Rows ten pixels taller than the list's own.
            item->setSizeHint(QSize(0, List1_->fontMetrics().height() + 10));
        }
    }
    syncListSelection(*List1_, model_.List1.selected);
    for (int i = 0; i < kBoxCount; ++i) {
        const auto index = static_cast<std::size_t>(i);
        syncListItems(*List2_[index], shownBoxes_[index], model_.List2[index].items());
        syncListSelection(*List2_[index], model_.List2[index].selected);
    }
    syncListItems(*List3_, shownExamples_, model_.List3.items());
    syncListSelection(*List3_, model_.List3.selected);
    if (model_.frontList == Form2::kExamplesInFront) {
        List3_->raise();
    } else if (model_.frontList >= 0 && model_.frontList < kBoxCount) {
        List2_[static_cast<std::size_t>(model_.frontList)]->raise();
    }

    Label1_[0]->setText(qs(model_.Label1[0].caption));
    Label1_[1]->setText(qs(model_.Label1[1].caption));
    Label1_[1]->setVisible(model_.Label1[1].visible);
    Label3_->setText(qs(model_.Label3.caption));
    Label5_->setText(qs(model_.Label5.caption));
    Label6_->setText(qs(model_.Label6.caption));
    if (Text1_->text() != qs(model_.Text1.text)) {
        Text1_->setText(qs(model_.Text1.text));
    }
    Text1_->setEnabled(model_.Text1.enabled);
    if (model_.focus == "Text1" && model_.Text1.enabled && isVisible()) {
        Text1_->setFocus();
    } else if (model_.focus == "Command1") {
        Command1_->setFocus();
    }

    syncTimer(Timer1_, model_.Timer1);
    syncTimer(Timer2_, model_.Timer2);
    if (height() != ui::pixels(model_.height)) {
        resize(width(), ui::pixels(model_.height));
    }
}

}  // namespace lorvane::trainer
