// The tags and the cover picture of the demo files.
#include <QColor>
#include <QFile>
#include <QFont>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QString>

#include "app/lib/DemoFolder.h"
#include "formats/ID3V111.h"
#include "formats/ID3V230Writer.h"

namespace app {


void WriteDemoTags(const std::string& path, const DemoSong& song, const std::string& coverPicture) {
  formats::clsID3V111Writer v1;
  v1.setSongTitle(song.title);
  v1.setArtist(song.artist);
  v1.setAlbum(song.album);
  v1.setYear(song.year);
  v1.setComment("Tonewright Demo");
  v1.setTrack(static_cast<std::uint8_t>(song.track));
  v1.setGenre(v1.GetGenre(song.genre));
  v1.WriteID3V111Tag(path);

  formats::clsID3V230Writer v2;
  v2.setSongTitle(song.title);
  v2.setArtist(song.artist);
  v2.setAlbum(song.album);
  v2.setYear(song.year);
  v2.setTrack(std::to_string(song.track));
  v2.setGenre(song.genre);
  v2.setComment("Tonewright Demo");
  v2.setEncodedBy("Quillmere Tonewright");
  if (!coverPicture.empty()) {
    v2.setGraphic(coverPicture);
    v2.setGraphicType("3");  // front cover
    v2.setGraphicTitle("Stille Wege");
  }
  v2.WriteID3V230Tag(path);
}

bool MakeDemoCover(const std::string& path) {
  QImage image(300, 300, QImage::Format_RGB32);
  QPainter painter(&image);
  QLinearGradient sky(0, 0, 0, 300);
  sky.setColorAt(0, QColor(0x1d, 0x35, 0x57));
  sky.setColorAt(1, QColor(0xe6, 0x9f, 0x66));
  painter.fillRect(image.rect(), sky);
  painter.setBrush(QColor(0xf4, 0xe1, 0x9c));
  painter.setPen(Qt::NoPen);
  painter.drawEllipse(QPoint(150, 190), 60, 60);
  painter.fillRect(QRect(0, 210, 300, 90), QColor(0x22, 0x2e, 0x3b));
  painter.setPen(Qt::white);
  QFont font = painter.font();
  font.setPixelSize(30);
  font.setBold(true);
  painter.setFont(font);
  painter.drawText(QRect(0, 230, 300, 50), Qt::AlignCenter, QStringLiteral("Stille Wege"));
  painter.end();
  return image.save(QFile::decodeName(QByteArray::fromStdString(path)), "JPEG", 85);
}

}  // namespace app
