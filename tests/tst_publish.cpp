// Publishing without windows: the broker's URL, the messages' JSON, and the
// publisher's bounded queue while its broker is away.
#include "brokerfixture.h"
#include "mqttpublisher.h"
#include "mqtttarget.h"
#include "payload.h"
#include "readingintake.h"

#include <QJsonDocument>
#include <QTemporaryDir>
#include <QtTest>

using namespace TestSupport;

class TestPublish : public QObject
{
    Q_OBJECT

private slots:
    void urls_data();
    void urls();
    void credentialsFile();
    void readings_data();
    void readings();
    void sampleBlock();
    void queueIsBoundedWhileTheBrokerIsAway();
    void failedTlsIsSaid();
};

void TestPublish::urls_data()
{
    QTest::addColumn<QString>("url");
    // "host port tls user password prefix qos", or "error".
    QTest::addColumn<QString>("expected");
    QTest::newRow("plain") << "mqtt://broker.lab/lab/bench3" << "broker.lab 1883 0 - - lab/bench3 0";
    QTest::newRow("tls, port, qos") << "mqtts://broker.lab:9999/lab?qos=1" << "broker.lab 9999 1 - - lab 1";
    QTest::newRow("tls default port") << "mqtts://10.0.0.5/x/" << "10.0.0.5 8883 1 - - x 0";
    QTest::newRow("credentials, encoded") << "mqtt://ann:p%40ss%3A1@h:1/t?qos=2" << "h 1 0 ann p@ss:1 t 2";
    QTest::newRow("no prefix") << "mqtt://h" << "h 1883 0 - -  0";
    QTest::newRow("other scheme") << "http://h/t" << "error";
    QTest::newRow("no host") << "mqtt:///t" << "error";
    QTest::newRow("qos 3") << "mqtt://h/t?qos=3" << "error";
    QTest::newRow("qos not a number") << "mqtt://h/t?qos=x" << "error";
    QTest::newRow("unknown item") << "mqtt://h/t?retain=1" << "error";
    QTest::newRow("cafile without tls") << "mqtt://h/t?cafile=/ca.pem" << "error";
    QTest::newRow("wildcard +") << "mqtt://h/lab/+/x" << "error";
    QTest::newRow("wildcard #") << "mqtt://h/lab/#" << "error: a topic prefix cannot hold # or +";
    QTest::newRow("NUL") << "mqtt://h/lab%00x" << "error: cannot hold %00";
}

void TestPublish::urls()
{
    QFETCH(QString, url);
    QFETCH(QString, expected);
    QString error;
    const std::optional<MqttTarget> target = MqttTarget::parse(url, &error);
    const auto orDash = [](const QString &text) { return text.isEmpty() ? QStringLiteral("-") : text; };
    const QString found = target ? QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                                       .arg(target->host)
                                       .arg(target->port)
                                       .arg(int(target->tls))
                                       .arg(orDash(target->user), orDash(target->password),
                                            target->topicPrefix)
                                       .arg(target->qos)
                                 : QStringLiteral("error");
    QCOMPARE(found, expected.section(QLatin1Char(':'), 0, 0) == "error" ? "error" : expected);
    QVERIFY2(error.contains(expected.section(": ", 1)), qPrintable(error));
    QCOMPARE(error.isEmpty(), bool(target));
}

void TestPublish::credentialsFile()
{
    QTemporaryDir dir;
    QFile file(dir.filePath("credentials"));
    QVERIFY(file.open(QIODevice::WriteOnly));
    file.write("lab user\r\nse:cr et\n");
    file.close();
    MqttTarget target;
    QString error;
    QVERIFY(MqttTarget::readCredentials(file.fileName(), target, &error));
    QCOMPARE(target.user, QString("lab user"));
    QCOMPARE(target.password, QString("se:cr et"));
    QVERIFY(!MqttTarget::readCredentials(dir.filePath("none"), target, &error));
    QVERIFY(error.contains("cannot read"));
}

void TestPublish::readings_data()
{
    QTest::addColumn<QStringList>("values");
    QTest::addColumn<QByteArray>("json");
    const QByteArray head = R"({"reading":7,"time":"2026-12-08T14:03:05.123Z","time_s":1.500001,)";
    QTest::newRow("numbers") << QStringList{"1650", "-12", "3300"}
                             << head + R"("PAD0_mV":1650,"PAD1_mV":-12,"PAD2_mV":3300})";
    QTest::newRow("missing") << QStringList{"", "0", ""}
                             << head + R"("PAD0_mV":null,"PAD1_mV":0,"PAD2_mV":null})";
    QTest::newRow("number forms") << QStringList{".5", "0012", "1e3"}
                                  << head + R"("PAD0_mV":0.5,"PAD1_mV":12,"PAD2_mV":1000})";
    QTest::newRow("not finite") << QStringList{"1e999", "inf", "nan"}
                                << head + R"("PAD0_mV":null,"PAD1_mV":null,"PAD2_mV":null})";
}

void TestPublish::readings()
{
    QFETCH(QStringList, values);
    QFETCH(QByteArray, json);
    const qint64 wallMs = QDateTime(QDate(2026, 12, 8), QTime(14, 3, 5, 123), Qt::UTC).toMSecsSinceEpoch();
    const QByteArray payload = Payload::reading(
        {"reading", "time_s", "PAD0_mV", "PAD1_mV", "PAD2_mV"}, 7, wallMs, 1500000600,
        Reading::of(values, 3).values);
    QCOMPARE(payload, json);
    QVERIFY(QJsonDocument::fromJson(payload).isObject());
}

void TestPublish::sampleBlock()
{
    SampleBlock block({"X", "Y", "Z"});
    Sample sample;
    sample.values = {2000, 3000, -1};
    sample.validMask = 0b101;
    block.add(41, 0, 250000000, sample);
    sample.validMask = 0b111;
    block.add(42, 5, 251000000, sample);
    QCOMPARE(block.size(), 2);
    QCOMPARE(block.nextNumber(), 43);
    QCOMPARE(block.take(), QByteArray(R"({"first_sample":41,"time":"1970-01-01T00:00:00.000Z",)"
                                      R"("time_s":0.250000,"count":2,"X":[2000,2000],"Y":[null,3000],)"
                                      R"("Z":[-1,-1]})"));
    QVERIFY(block.isEmpty());
    block.add(43, 0, 0, sample);
    QCOMPARE(QJsonDocument::fromJson(block.take()).object().value("first_sample").toInt(), 43);

    // A computed channel: an array after the inputs', as many digits as it needs.
    block.setChannelNames({"X", "Y", "Z", "M1"});
    const double computed[] = {0.1, qQNaN()};
    block.add(44, 0, 0, sample, &computed[0], 1);
    block.add(45, 0, 0, sample, &computed[1], 1);
    QVERIFY(block.take().endsWith(R"("Z":[-1,-1],"M1":[0.1,null]})"));
}

// Messages beyond the limit are dropped and counted; what waits goes out
// once the broker is there.
void TestPublish::queueIsBoundedWhileTheBrokerIsAway()
{
    SKIP_WITHOUT_BROKER();
    BrokerFixture broker;
    QString error;
    MqttPublisher publisher(*MqttTarget::parse(broker.url("lab"), &error));
    QVERIFY(publisher.start());
    const QByteArray payload(100 * 1024 - 8, 'x');
    const int fitting = int(MqttPublisher::queueLimitBytes / (payload.size() + 8));
    for (int i = 0; i < fitting + 10; ++i)
        publisher.publish("lab/test", payload);
    QCOMPARE(publisher.pendingMessages(), size_t(fitting));
    QCOMPARE(publisher.droppedMessages(), quint64(10));
    QVERIFY(!publisher.isConnected());
    // Said as a lost connection is, though there never was one.
    QSignalSpy said(&publisher, &MqttPublisher::connectionChanged);
    QTRY_COMPARE_WITH_TIMEOUT(said.size(), 1, 10000);
    QCOMPARE(said.first().first().toBool(), false);
    QCOMPARE(publisher.failureReason(), QString("connection refused"));

    QVERIFY(broker.start());
    QTRY_VERIFY_WITH_TIMEOUT(publisher.isConnected(), 15000);
    QTRY_COMPARE(publisher.sentMessages(), quint64(fitting));
    QCOMPARE(publisher.pendingMessages(), size_t(0));
    QCOMPARE(publisher.droppedMessages(), quint64(10));
}

// mqtts:// to a broker without TLS, and a certificate file that is not there.
void TestPublish::failedTlsIsSaid()
{
    SKIP_WITHOUT_BROKER();
    BrokerFixture broker;
    QVERIFY(broker.start());
    QString error;
    MqttTarget target = *MqttTarget::parse(broker.url("lab").replace("mqtt:", "mqtts:"), &error);
    MqttPublisher publisher(target);
    QSignalSpy said(&publisher, &MqttPublisher::connectionChanged);
    QVERIFY(publisher.start());
    QTRY_COMPARE_WITH_TIMEOUT(said.size(), 1, 10000);
    QCOMPARE(said.first().first().toBool(), false);
    QVERIFY2(publisher.failureReason().startsWith("the TLS handshake failed: "),
             qPrintable(publisher.failureReason()));

    target.caFile = "/nonexistent";
    MqttPublisher unusable(target);
    QVERIFY(!unusable.start());
    QCOMPARE(unusable.errorString(), QString("cannot read /nonexistent: no such file or directory"));
}

QTEST_GUILESS_MAIN(TestPublish)
#include "tst_publish.moc"
