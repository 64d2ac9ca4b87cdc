// Writes the counters' artwork for the pixel ratios 1 and 2 as C++ source: the pixels of
// DigitArt::paintCounterStrip, which start-up then takes as they are instead of drawing them.
#include "controls/DigitArt.h"

#include <QFile>
#include <cstdio>

namespace {

QByteArray stripSource(const QImage& strip, int index) {
    QByteArray text = "alignas(4) const unsigned char Strip" + QByteArray::number(index) + "[] = {";
    const auto* bytes = strip.constBits();
    for (qsizetype i = 0; i < strip.sizeInBytes(); ++i)
        text += (i % 24 ? "" : "\n   ") + (" " + QByteArray::number(bytes[i])) + ",";
    return text + "\n};\n";
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: make_counter_art OUTPUT\n");
        return 2;
    }
    const qreal ratios[] = {1.0, 2.0};
    QByteArray source =
        "// Made by make_counter_art from DigitArt::paintCounterStrip when the program was "
        "built.\n#include \"controls/DigitArt.h\"\n\nnamespace {\n";
    QByteArray lookup;
    for (int k = 0; k < 2; ++k) {
        const QImage strip = DigitArt::paintCounterStrip(ratios[k]);
        if (strip.format() != QImage::Format_ARGB32_Premultiplied) {
            std::fprintf(stderr, "make_counter_art: unexpected image format\n");
            return 1;
        }
        source += stripSource(strip, k);
        lookup += "    if (ratio == " + QByteArray::number(ratios[k], 'f', 1) +
                  ") {\n"
                  "        QImage image(Strip" +
                  QByteArray::number(k) + ", " + QByteArray::number(strip.width()) + ", " +
                  QByteArray::number(strip.height()) + ", " +
                  QByteArray::number(strip.bytesPerLine()) +
                  ", QImage::Format_ARGB32_Premultiplied);\n"
                  "        image.setDevicePixelRatio(ratio);\n"
                  "        return image;\n    }\n";
    }
    source += "\n} // namespace\n\nQImage DigitArt::storedCounterStrip(qreal ratio) {\n" + lookup +
              "    return {};\n}\n";
    QFile out(QString::fromLocal8Bit(argv[1]));
    if (!out.open(QIODevice::WriteOnly) || out.write(source) != source.size() || !out.flush()) {
        std::fprintf(stderr, "make_counter_art: cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
