// The libjpeg decoder: good pictures come out whole; missing, corrupt and truncated ones come out empty
// without stopping the program.
#include <QBuffer>
#include <QFile>
#include <QImage>
#include <QRandomGenerator>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include "shell/artwork.h"
#include "shell/jpeg_picture.h"

namespace {

// A 40 x 30 picture, red on the left, blue on the right, as JPEG (written with Qt's own writer).
QByteArray TwoColourJpeg(QImage::Format format = QImage::Format_RGB32) {
    QImage image(40, 30, QImage::Format_RGB32);
    image.fill(QColor(220, 20, 20));
    for (int y = 0; y < 30; ++y)
        for (int x = 20; x < 40; ++x)
            image.setPixelColor(x, y, QColor(20, 20, 220));
    image = image.convertToFormat(format);
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    EXPECT_TRUE(image.save(&buffer, "JPG", 95));
    return bytes;
}

bool Near(QColor a, QColor b) {
    return std::abs(a.red() - b.red()) < 40 && std::abs(a.green() - b.green()) < 40 &&
           std::abs(a.blue() - b.blue()) < 40;
}

TEST(JpegPicture, DecodesAColourPicture) {
    const QImage image = shell::DecodeJpeg(TwoColourJpeg());
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(40, 30));
    EXPECT_TRUE(Near(image.pixelColor(5, 15), QColor(220, 20, 20)))
        << image.pixelColor(5, 15).name().toStdString();
    EXPECT_TRUE(Near(image.pixelColor(35, 15), QColor(20, 20, 220)))
        << image.pixelColor(35, 15).name().toStdString();
}

TEST(JpegPicture, DecodesAGreyPictureToColour) {
    const QImage image = shell::DecodeJpeg(TwoColourJpeg(QImage::Format_Grayscale8));
    ASSERT_FALSE(image.isNull());
    const QColor left = image.pixelColor(5, 15);
    EXPECT_EQ(left.red(), left.green());
    EXPECT_EQ(left.green(), left.blue());
}

TEST(JpegPicture, DecodesTheStartWindowsBackgroundFromTheResource) {
    const QImage image = shell::LoadJpegFile(shell::ArtworkPath(shell::kBackgroundJpeg));
    ASSERT_FALSE(image.isNull());
    EXPECT_EQ(image.size(), QSize(800, 600));
}

class BadJpeg : public ::testing::Test {
  protected:
    QString Write(const QByteArray& bytes) const {
        const QString path = m_dir.filePath(QStringLiteral("picture.jpg"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }
    QTemporaryDir m_dir;
    const QByteArray m_good = shell::ArtworkBytes(shell::kBackgroundJpeg);
};

TEST_F(BadJpeg, AMissingFileGivesNoPicture) {
    EXPECT_TRUE(shell::LoadJpegFile(m_dir.filePath(QStringLiteral("missing.jpg"))).isNull());
}

TEST_F(BadJpeg, AnEmptyFileGivesNoPicture) {
    EXPECT_TRUE(shell::LoadJpegFile(Write({})).isNull());
}

TEST_F(BadJpeg, APictureOfAnotherFormatGivesNoPicture) {
    EXPECT_TRUE(shell::LoadJpegFile(Write(shell::ArtworkBytes("tick16.png"))).isNull());
}

TEST_F(BadJpeg, RandomBytesGiveNoPicture) {
    QByteArray noise(4096, '\0');
    QRandomGenerator random(1234);
    for (char& c : noise)
        c = char(random.bounded(256));
    EXPECT_TRUE(shell::LoadJpegFile(Write(noise)).isNull());
}

TEST_F(BadJpeg, ATruncatedFileGivesNoPicture) {
    ASSERT_FALSE(shell::DecodeJpeg(m_good).isNull());
    for (const qsizetype keep : {qsizetype(2), qsizetype(300), m_good.size() / 2, m_good.size() - 2}) {
        SCOPED_TRACE(keep);
        EXPECT_TRUE(shell::LoadJpegFile(Write(m_good.left(keep))).isNull());
    }
}

TEST_F(BadJpeg, DamagedPictureDataGivesNoPicture) {
    // The header stays whole; the compressed rows in the middle are overwritten.
    QByteArray damaged = m_good;
    const qsizetype from = damaged.size() / 2;
    for (qsizetype i = from; i < from + 2000; ++i)
        damaged[i] = char((i * 7919) & 0xFF);
    EXPECT_TRUE(shell::LoadJpegFile(Write(damaged)).isNull());
}

TEST_F(BadJpeg, AHeaderClaimingAHugePictureGivesNoPicture) {
    // SOF0 frame: precision, height, width (big-endian) — set the width to 65000.
    QByteArray huge = TwoColourJpeg();
    const qsizetype sof = huge.indexOf(QByteArray("\xFF\xC0", 2));
    ASSERT_GE(sof, 0);
    huge[sof + 7] = char(0xFD);
    huge[sof + 8] = char(0xE8);
    huge[sof + 5] = char(0xFD);
    huge[sof + 6] = char(0xE8);
    EXPECT_TRUE(shell::DecodeJpeg(huge).isNull());
}

} // namespace
