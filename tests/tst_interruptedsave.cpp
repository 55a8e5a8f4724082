// A save killed at any moment leaves the label file whole: either the
// complete old content or the complete new one, byte for byte.

#include "testsupport.h"
#include "windowdriver.h"

#include <QProcess>
#include <QRandomGenerator>
#include <QThread>

namespace {

// Set by the test for the child copy of this executable that saves in a loop.
const char *const SaveLoopVariable = "TAGFORGE_TEST_SAVE_LOOP";

bool save(MainWindow &window, const QString &path)
{
    window.setWindowFilePath(path);
    return invokeBool(&window, "fileSave");
}

} // namespace

class TestInterruptedSave : public QObject
{
    Q_OBJECT

private slots:
    void killedWhileSaving();
    void saveLoop();
};

void TestInterruptedSave::killedWhileSaving()
{
    QTemporaryDir dir;
    const QString target = dir.filePath("label.qlt");
    QRandomGenerator random(20261206);
    int differentContents = 0;
    QByteArray previous;
    for (int round = 0; round < 8; ++round) {
        QProcess child;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(SaveLoopVariable, target);
        child.setProcessEnvironment(environment);
        child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        child.start(QCoreApplication::applicationFilePath(), {"saveLoop"});
        QVERIFY(child.waitForStarted());
        // The child says "saving" once both versions and the target are
        // written; before that come the lines of its own test log.
        QByteArray line;
        while (line.trimmed() != "saving") {
            while (!child.canReadLine())
                QVERIFY2(child.waitForReadyRead(60000), "the saving child did not start");
            line = child.readLine();
        }
        QThread::msleep(random.bounded(5, 400));
        child.kill();
        QVERIFY(child.waitForFinished(60000));
        QCOMPARE(child.exitStatus(), QProcess::CrashExit);

        const QByteArray first = readAll(target + ".first");
        const QByteArray second = readAll(target + ".second");
        QVERIFY(!first.isEmpty() && first != second);
        const QByteArray content = readAll(target);
        QVERIFY2(content == first || content == second,
                 qPrintable(QString("round %1: %2 bytes, neither version").arg(round).arg(content.size())));
        if (content != previous)
            ++differentContents;
        previous = content;
    }
    // Both versions were seen, so the kills did land between saves.
    QVERIFY(differentContents > 1);
}

// Runs only as the child of killedWhileSaving: saves a large label, moving
// one box back and forth between saves, until it is killed.
void TestInterruptedSave::saveLoop()
{
    const QString target = qEnvironmentVariable(SaveLoopVariable);
    if (target.isEmpty())
        QSKIP("runs only as the child of killedWhileSaving");
    MainWindow window;
    QGraphicsScene *scene = windowScene(&window);
    QList<BoxItem *> boxes;
    for (int i = 0; i < 1500; ++i) {
        auto *box = new BoxItem(QRect(0, 0, 10 + i % 50, 10 + i % 30), scene);
        box->setPos(i % 280, i / 280 * 10);
        QPen pen(Qt::darkGray, 1, Qt::DashLine);
        pen.setDashPattern({1, 2, 3, 4});
        box->setPen(pen);
        boxes << box;
    }
    BoxItem *moving = boxes.first();
    QVERIFY(save(window, target + ".first"));
    moving->setPos(moving->pos() + QPointF(1, 1));
    QVERIFY(save(window, target + ".second"));
    QVERIFY(save(window, target));
    QTextStream(stdout) << "saving" << Qt::endl;
    for (bool second = false;; second = !second) {
        moving->setPos(moving->pos() + (second ? QPointF(1, 1) : QPointF(-1, -1)));
        QVERIFY(save(window, target));
    }
}

TAGFORGE_TEST_MAIN(TestInterruptedSave)
#include "tst_interruptedsave.moc"
