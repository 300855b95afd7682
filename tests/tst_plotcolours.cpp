#include "plotcolours.h"

#include <QtTest>

#include <cmath>

using PlotColours::Scheme;

namespace {

// The contrast ratio of the web's accessibility guidelines: (L1 + 0.05) /
// (L2 + 0.05) of the two colours' relative luminances, 1 to 21.
double contrastRatio(const QColor &one, const QColor &other)
{
    const auto luminance = [](const QColor &color) {
        const auto linear = [](double c) {
            return c <= 0.03928 ? c / 12.92 : std::pow((c + 0.055) / 1.055, 2.4);
        };
        return 0.2126 * linear(color.redF()) + 0.7152 * linear(color.greenF())
               + 0.0722 * linear(color.blueF());
    };
    const double a = luminance(one) + 0.05;
    const double b = luminance(other) + 0.05;
    return std::max(a, b) / std::min(a, b);
}

} // namespace

class TestPlotColours : public QObject
{
    Q_OBJECT

private slots:
    void textsReadOnTheirBackground_data();
    void textsReadOnTheirBackground();
    void desktopChoosesTheScheme_data();
    void desktopChoosesTheScheme();
};

void TestPlotColours::textsReadOnTheirBackground_data()
{
    QTest::addColumn<QColor>("text");
    QTest::addColumn<QColor>("background");
    // What the colour is in the light scheme: the same hue must come back.
    QTest::addColumn<QColor>("light");

    const PlotColours::Palette &light = PlotColours::palette(Scheme::Light);
    const PlotColours::Palette &dark = PlotColours::palette(Scheme::Dark);
    // The light scheme's own texts; its notes and channel colours are the
    // plots' look as it always was.
    QTest::newRow("light text") << light.text << light.background << light.text;
    QTest::newRow("light plain text") << light.plainText << light.plainBackground << light.plainText;

    // Everything the dark scheme writes with: channel colours too, in the
    // cursor readout, the measurements and the spectrum's peaks.
    QTest::newRow("text") << dark.text << dark.background << light.text;
    QTest::newRow("quiet text") << dark.quietText << dark.background << light.quietText;
    QTest::newRow("recording") << dark.recordingText << dark.background << light.recordingText;
    QTest::newRow("plain text") << dark.plainText << dark.plainBackground << light.plainText;
    for (size_t i = 0; i < dark.inputs.size(); ++i)
        QTest::addRow("input %zu", i) << dark.inputs[i] << dark.background << light.inputs[i];
    for (size_t i = 0; i < dark.computed.size(); ++i)
        QTest::addRow("computed %zu", i) << dark.computed[i] << dark.background << light.computed[i];
    for (size_t i = 0; i < dark.cursors.size(); ++i)
        QTest::addRow("cursor %zu", i) << dark.cursors[i] << dark.background << light.cursors[i];
    QTest::newRow("xy line") << dark.xyLine << dark.background << light.xyLine;
}

void TestPlotColours::textsReadOnTheirBackground()
{
    QFETCH(QColor, text);
    QFETCH(QColor, background);
    QFETCH(QColor, light);

    const double ratio = contrastRatio(text, background);
    QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3:1")
                                          .arg(text.name(), background.name())
                                          .arg(ratio, 0, 'f', 2)));
    // Recognisable: a grey stays a grey, a colour keeps its hue.
    QCOMPARE(text.hsvHue() == -1, light.hsvHue() == -1);
    if (light.hsvHue() != -1) {
        const int turn = std::abs(text.hsvHue() - light.hsvHue());
        QVERIFY2(std::min(turn, 360 - turn) <= 15, qPrintable(text.name() + " for " + light.name()));
    }
}

void TestPlotColours::desktopChoosesTheScheme_data()
{
    QTest::addColumn<QColor>("window");
    QTest::addColumn<bool>("dark");

    QTest::newRow("light grey") << QColor(239, 239, 239) << false;
    QTest::newRow("white") << QColor(Qt::white) << false;
    QTest::newRow("dark grey") << QColor(53, 53, 53) << true;
    QTest::newRow("dark blue") << QColor(35, 38, 60) << true;
    QTest::newRow("black") << QColor(Qt::black) << true;
}

void TestPlotColours::desktopChoosesTheScheme()
{
    QFETCH(QColor, window);
    QFETCH(bool, dark);
    QCOMPARE(PlotColours::schemeForWindow(window), dark ? Scheme::Dark : Scheme::Light);
}

QTEST_GUILESS_MAIN(TestPlotColours)
#include "tst_plotcolours.moc"
