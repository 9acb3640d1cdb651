// A box's word list over the box itself, checked against Qt's rules for
// models while the box changes as studying changes it.
#include <QAbstractItemModelTester>
#include <QListView>
#include <QTest>
#include <string>
#include <vector>

#include "trainer/engine/card_boxes.h"
#include "trainer/shell/box_list_model.h"

using namespace lorvane::trainer;

class BoxListModelTest : public QObject {
    Q_OBJECT

private:
    static std::vector<std::string> rows(const BoxListModel& model) {
        std::vector<std::string> shown;
        for (int row = 0; row < model.rowCount(); ++row) {
            shown.push_back(model.data(model.index(row, 0)).toString().toStdString());
        }
        return shown;
    }
    static std::vector<std::string> texts(const std::vector<std::string_view>& entries) {
        return {entries.begin(), entries.end()};
    }
    static std::vector<std::string> words(int count) {
        std::vector<std::string> entries;
        for (int i = 0; i < count; ++i) {
            entries.push_back("word" + std::to_string(i) + "  单词" + std::to_string(i));
        }
        return entries;
    }

private slots:
    void rowsFollowTheBoxAndTheViewKeepsItsCurrentEntry() {
        CardBoxes boxes;
        BoxListModel newWords(boxes, kNewWordBox);
        BoxListModel memorized(boxes, kMemorizedBox);
        QAbstractItemModelTester newWordsTester(&newWords);
        QAbstractItemModelTester memorizedTester(&memorized);
        QListView view;
        view.setModel(&newWords);

        (void)boxes.addAll(kNewWordBox, words(1000));
        newWords.sync();
        QVERIFY(rows(newWords) == texts(boxes.entries(kNewWordBox)));
        view.setCurrentIndex(newWords.index(700, 0));

        // Right answers move entries out of the middle to the memorized box.
        for (const int index : {500, 0, 997}) {
            QCOMPARE(boxes.move(kNewWordBox, index, kMemorizedBox), CardBoxes::Move::Moved);
            newWords.sync();
            memorized.sync();
        }
        QVERIFY(rows(newWords) == texts(boxes.entries(kNewWordBox)));
        QVERIFY(rows(memorized) == texts(boxes.entries(kMemorizedBox)));
        QCOMPARE(rows(memorized), (std::vector<std::string>{"word500  单词500", "word0  单词0",
                                                            "word999  单词999"}));
        QCOMPARE(view.currentIndex().data().toString(), QStringLiteral("word700  单词700"));

        // Answers while the list was hidden, one of them a word sent to the
        // end of its own box: all caught up in one sync.
        for (const int index : {3, 10}) {
            QCOMPARE(boxes.move(kNewWordBox, index, kMemorizedBox), CardBoxes::Move::Moved);
        }
        QCOMPARE(boxes.move(kNewWordBox, 0, kNewWordBox), CardBoxes::Move::Moved);
        newWords.sync();
        memorized.sync();
        QVERIFY(rows(newWords) == texts(boxes.entries(kNewWordBox)));
        QVERIFY(rows(memorized) == texts(boxes.entries(kMemorizedBox)));

        // Another lesson: every box refilled.
        boxes.clear();
        (void)boxes.addAll(kNewWordBox, {"apple  苹果", "pear  梨"});
        newWords.sync();
        memorized.sync();
        QVERIFY(rows(newWords) == texts(boxes.entries(kNewWordBox)));
        QCOMPARE(memorized.rowCount(), 0);
    }

    // A view may paint between the box changing and the sync (a message box
    // asking in the middle of an action): it must not read past the box.
    void aViewAskingBeforeTheSyncGetsNothingForRowsTheBoxLost() {
        CardBoxes boxes;
        BoxListModel model(boxes, kNewWordBox);
        (void)boxes.addAll(kNewWordBox, words(3));
        model.sync();
        boxes.clear();
        QCOMPARE(model.rowCount(), 3);
        QVERIFY(!model.data(model.index(2, 0)).isValid());
        model.sync();
        QCOMPARE(model.rowCount(), 0);
    }
};

QTEST_MAIN(BoxListModelTest)
#include "box_list_model_test.moc"
