// SPDX-License-Identifier: GPL-3.0-or-later
// Reading an exported SVG back: the polylines in picture coordinates, with
// the transforms of the groups around them applied.
#pragma once

#include <QString>
#include <QTransform>
#include <QXmlStreamReader>
#include <string>
#include <vector>

#include "export/Wmf2svg.h"

namespace kurvio::testing {

struct SvgPicture {
  QString error;  // empty when the document parsed
  QString viewBox;
  double widthMm = 0, heightMm = 0;  // the size the picture prints at
  std::vector<std::vector<QPointF>> polylines;
};

// "matrix(a,b,c,d,e,f)" as a transform; the identity for anything else.
inline QTransform SvgTransform(const QString& text) {
  if (!text.startsWith(QStringLiteral("matrix("))) return {};
  const std::vector<double> m = SvgNumbers(text.toStdString());
  if (m.size() != 6) return {};
  return QTransform(m[0], m[1], m[2], m[3], m[4], m[5]);
}

inline SvgPicture ReadSvg(const std::string& svg) {
  SvgPicture picture;
  QXmlStreamReader xml(QByteArray::fromStdString(svg));
  std::vector<QTransform> groups{QTransform()};
  while (!xml.atEnd()) {
    xml.readNext();
    if (xml.isStartElement()) {
      const auto attributes = xml.attributes();
      if (xml.name() == QStringLiteral("svg")) {
        picture.viewBox = attributes.value(QStringLiteral("viewBox")).toString();
        const std::vector<double> width =
            SvgNumbers(attributes.value(QStringLiteral("width")).toString().toStdString());
        if (!width.empty()) picture.widthMm = width[0];
        const std::vector<double> height =
            SvgNumbers(attributes.value(QStringLiteral("height")).toString().toStdString());
        if (!height.empty()) picture.heightMm = height[0];
      }
      if (xml.name() == QStringLiteral("g"))
        groups.push_back(SvgTransform(attributes.value(QStringLiteral("transform")).toString()) *
                         groups.back());
      if (xml.name() == QStringLiteral("polyline")) {
        const std::vector<double> n =
            SvgNumbers(attributes.value(QStringLiteral("points")).toString().toStdString());
        std::vector<QPointF> points;
        for (std::size_t i = 0; i + 1 < n.size(); i += 2)
          points.push_back(groups.back().map(QPointF(n[i], n[i + 1])));
        picture.polylines.push_back(points);
      }
    } else if (xml.isEndElement() && xml.name() == QStringLiteral("g") && groups.size() > 1) {
      groups.pop_back();
    }
  }
  if (xml.hasError()) picture.error = xml.errorString();
  return picture;
}

// The rows of the horizontal lines at least `minLength` long.
inline std::vector<double> SvgHorizontalLines(const SvgPicture& picture, double minLength) {
  std::vector<double> rows;
  for (const auto& line : picture.polylines)
    for (std::size_t i = 0; i + 1 < line.size(); ++i)
      if (std::abs(line[i].y() - line[i + 1].y()) < 0.01 &&
          std::abs(line[i + 1].x() - line[i].x()) >= minLength)
        rows.push_back(line[i].y());
  return rows;
}

// Whether a polyline passes within `tolerance` of the point.
inline bool SvgPassesNear(const SvgPicture& picture, QPointF p, double tolerance) {
  for (const auto& line : picture.polylines)
    for (const QPointF& q : line)
      if (std::abs(q.x() - p.x()) <= tolerance && std::abs(q.y() - p.y()) <= tolerance) return true;
  return false;
}

}  // namespace kurvio::testing
