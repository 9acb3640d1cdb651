#include "tests/data/help_captions.h"

#include <gtest/gtest.h>

#include <QAbstractButton>
#include <QApplication>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QMenu>
#include <QRegularExpression>
#include <QSet>
#include <QTextDocumentFragment>
#include <filesystem>

using namespace lorvane::common;

namespace {

// A caption as the learner reads it: no mnemonic marks, no padding.
QString readable(QString text) {
    return text.remove(QLatin1Char('&')).trimmed();
}

// What the help names: the text of every element that holds only text
// (<b>录音</b>, <kbd>F1</kbd>, <q>帮助</q>), entities decoded. A caption has
// to be named like this, not just occur somewhere: "X" or "O" occur in any
// page.
QSet<QString> namedInHelp() {
    QFile file(QStringLiteral(LORVANE_DATA_FOLDER "/Lorvane说明.htm"));
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << file.fileName().toStdString();
    const QString html = QString::fromUtf8(file.readAll());
    static const QRegularExpression element(
        QStringLiteral(R"(<([a-zA-Z][a-zA-Z0-9]*)\b[^>]*>([^<]*)</\1\s*>)"));
    QSet<QString> named;
    for (const QRegularExpressionMatch& match : element.globalMatch(html)) {
        named.insert(QTextDocumentFragment::fromHtml(match.captured(2)).toPlainText().simplified());
    }
    return named;
}

}  // namespace

QList<Caption> captionsOnScreen(const QString& program, const QString& dataFolder) {
    QList<Caption> captions;
    auto add = [&](const QString& text, const QObject* from, const char* kind) {
        const QString shown = readable(text);
        if (!shown.isEmpty() && !shown.contains(dataFolder)) {
            captions.push_back(
                {shown,
                 QStringLiteral("%1 %2 %3").arg(program, QLatin1String(kind), from->objectName())});
        }
    };
    for (QWidget* widget : QApplication::allWidgets()) {
        if (widget->isWindow()) {
            add(widget->windowTitle(), widget, "window title");
        }
        add(widget->toolTip(), widget, "tooltip");
        if (const auto* button = qobject_cast<QAbstractButton*>(widget)) {
            add(button->text(), widget, "button");
        } else if (const auto* label = qobject_cast<QLabel*>(widget)) {
            add(label->text(), widget, "label");
        } else if (const auto* list = qobject_cast<QListWidget*>(widget)) {
            for (int row = 0; row < list->count(); ++row) {
                add(list->item(row)->text(), widget, "list entry");
            }
        } else if (const auto* menu = qobject_cast<QMenu*>(widget)) {
            for (const QAction* action : menu->actions()) {
                if (action->isSeparator()) {
                    continue;
                }
                // The menu shows the key after a tab, in its own column.
                for (const QString& part : action->text().split(QLatin1Char('\t'))) {
                    add(part, action, "menu entry");
                }
            }
        }
    }
    return captions;
}

void expectAllNamedInHelp(const QList<Caption>& captions) {
    // A walk that finds (almost) nothing would pass without checking anything.
    ASSERT_GE(captions.size(), 20) << "the windows hold hardly any text";
    const QSet<QString> named = namedInHelp();
    QStringList missing;
    for (const Caption& caption : captions) {
        if (!named.contains(caption.text)) {
            missing << caption.where + QStringLiteral(": ") + caption.text;
        }
    }
    missing.removeDuplicates();
    EXPECT_TRUE(missing.isEmpty()) << captions.size() << " captions, " << missing.size()
                                   << " not named in Lorvane说明.htm:\n  "
                                   << missing.join(QStringLiteral("\n  ")).toStdString();
}

ProgramFolder::ProgramFolder() {
    std::filesystem::create_directories(folder_.path() + "/单词课文");
}

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
