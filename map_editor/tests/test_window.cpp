#include "test_window.h"

#include <QGroupBox>
#include <QVariant>

#include "image_conversion.h"

void ExpectPlaced(std::initializer_list<Placed> layout) {
    for (const auto& [control, container, geometry, caption] : layout) {
        EXPECT_EQ(control->parentWidget(), container) << caption.toStdString();
        EXPECT_EQ(control->geometry(), geometry) << caption.toStdString();
        const QVariant text = control->property(qobject_cast<QGroupBox*>(control) ? "title" : "text");
        EXPECT_EQ(text.toString(), caption);
    }
}

QString WindowTest::SaveTiles(const tilora::RgbImage& bitmap, const QString& name) {
    const QString path = Path(name);
    EXPECT_TRUE(ToQImage(bitmap).save(path));
    return path;
}

QString WindowTest::SaveFile(const QString& name, const std::vector<uint8_t>& bytes) {
    const QString path = Path(name);
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    EXPECT_EQ(file.write(reinterpret_cast<const char*>(bytes.data()), qint64(bytes.size())), qint64(bytes.size()));
    return path;
}

std::vector<uint8_t> WindowTest::Load(const QString& path) const {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    return std::vector<uint8_t>(bytes.begin(), bytes.end());
}
