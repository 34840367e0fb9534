// SPDX-License-Identifier: GPL-3.0-or-later
// A reader for the metafiles the tests write: it checks the headers, the
// record sizes and the object table as a strict player would, and replays the
// drawing records into a list of operations with the state they were drawn in.
#pragma once

#include <algorithm>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

namespace kurvio::testing {

struct WmfPoint {
  int x = 0, y = 0;
  friend bool operator==(const WmfPoint&, const WmfPoint&) = default;
};

struct WmfObject {
  std::uint16_t create = 0;  // the record that made it
  std::vector<int> words;    // its parameter words
  std::string bytes;         // its parameter bytes
  int PenStyle() const { return words.at(0); }
  int PenWidth() const { return words.at(1); }
  std::uint32_t PenColor() const { return Color(3); }
  int BrushStyle() const { return words.at(0); }
  std::uint32_t BrushColor() const { return Color(1); }
  int FontHeight() const { return static_cast<std::int16_t>(words.at(0)); }
  int FontCharset() const { return static_cast<unsigned char>(bytes.at(13)); }
  std::string FontFace() const { return std::string(bytes.c_str() + 18); }
  std::uint32_t Color(int word) const {
    return static_cast<std::uint32_t>(words.at(word) & 0xFFFF) |
           static_cast<std::uint32_t>(words.at(word + 1) & 0xFF) << 16;
  }
};

// One drawing record with the state it was played in.
struct WmfOp {
  std::uint16_t function = 0;
  std::vector<WmfPoint> points;  // in drawing order (reversed records put right)
  std::string text;
  std::optional<WmfObject> pen, brush, font;
  int rop2 = 13;
  int bkMode = 2;
  std::uint32_t bkColor = 0xFFFFFF;
  std::uint32_t textColor = 0;
  bool clipped = false;
};

struct WmfFile {
  std::string error;  // empty when the file is sound
  int left = 0, top = 0, right = 0, bottom = 0, inch = 0;
  int type = 0, version = 0, numberOfObjects = 0;
  std::uint32_t sizeWords = 0, maxRecord = 0;
  int peakObjects = 0;  // the table size the records need
  std::vector<std::uint16_t> functions;
  std::vector<WmfOp> ops;

  std::vector<WmfOp> Ops(std::uint16_t function) const {
    std::vector<WmfOp> out;
    for (const WmfOp& op : ops)
      if (op.function == function) out.push_back(op);
    return out;
  }
  int Count(std::uint16_t function) const {
    return static_cast<int>(std::count(functions.begin(), functions.end(), function));
  }
};

inline WmfFile ReadWmf(const std::string& b) {
  WmfFile f;
  auto u16 = [&](std::size_t at) -> int {
    return static_cast<unsigned char>(b[at]) | static_cast<unsigned char>(b[at + 1]) << 8;
  };
  auto s16 = [&](std::size_t at) -> int { return static_cast<std::int16_t>(u16(at)); };
  auto u32 = [&](std::size_t at) -> std::uint32_t {
    return static_cast<std::uint32_t>(u16(at)) | static_cast<std::uint32_t>(u16(at + 2)) << 16;
  };
  auto fail = [&](const std::string& why) {
    f.error = why;
    return f;
  };
  if (b.size() < 40) return fail("too short");
  if (u32(0) != 0x9AC6CDD7) return fail("no placeable key");
  int checksum = 0;
  for (std::size_t i = 0; i < 20; i += 2) checksum ^= u16(i);
  if (checksum != u16(20)) return fail("checksum");
  f.left = s16(6), f.top = s16(8), f.right = s16(10), f.bottom = s16(12), f.inch = u16(14);
  f.type = u16(22), f.version = u16(26), f.sizeWords = u32(28), f.numberOfObjects = u16(32);
  f.maxRecord = u32(34);
  if (u16(24) != 9) return fail("header size");
  if ((b.size() - 22) % 2 || f.sizeWords != (b.size() - 22) / 2) return fail("size field");

  struct State {
    std::optional<int> pen, brush, font;
    int rop2 = 13, bkMode = 2;
    std::uint32_t bkColor = 0xFFFFFF, textColor = 0;
    bool clipped = false;
    WmfPoint pos;
  };
  State st;
  std::vector<State> saved;
  std::vector<std::optional<WmfObject>> table(f.numberOfObjects);
  std::uint32_t maxSeen = 0;
  bool eof = false;
  std::size_t at = 40;
  auto objectAt = [&](const std::optional<int>& i) -> std::optional<WmfObject> {
    if (!i || *i >= static_cast<int>(table.size())) return std::nullopt;
    return table[*i];
  };
  while (at < b.size()) {
    if (eof) return fail("records after EOF");
    if (at + 6 > b.size()) return fail("truncated record");
    const std::uint32_t size = u32(at);
    const int function = u16(at + 4);
    if (size < 3 || at + 2 * static_cast<std::size_t>(size) > b.size())
      return fail("record size at " + std::to_string(at));
    maxSeen = std::max(maxSeen, size);
    std::vector<int> w;
    for (std::uint32_t i = 3; i < size; ++i) w.push_back(s16(at + 2 * i));
    const std::string params = b.substr(at + 6, 2 * (size - 3));
    f.functions.push_back(static_cast<std::uint16_t>(function));
    WmfOp op;
    op.function = static_cast<std::uint16_t>(function);
    auto finishOp = [&] {
      op.pen = objectAt(st.pen), op.brush = objectAt(st.brush), op.font = objectAt(st.font);
      op.rop2 = st.rop2, op.bkMode = st.bkMode, op.bkColor = st.bkColor;
      op.textColor = st.textColor, op.clipped = st.clipped;
      f.ops.push_back(op);
    };
    auto need = [&](std::size_t n) { return w.size() >= n; };
    switch (function) {
      case 0x0000:
        eof = true;
        break;
      case 0x02FA:
      case 0x02FB:
      case 0x02FC: {
        std::size_t slot = 0;
        while (slot < table.size() && table[slot]) ++slot;
        if (slot == table.size()) return fail("object table full");
        table[slot] = WmfObject{static_cast<std::uint16_t>(function), w, params};
        f.peakObjects = std::max(f.peakObjects, static_cast<int>(slot) + 1);
        break;
      }
      case 0x012D: {
        if (!need(1) || w[0] < 0 || w[0] >= static_cast<int>(table.size()) || !table[w[0]])
          return fail("select of a missing object");
        const int kind = table[w[0]]->create;
        (kind == 0x02FA ? st.pen : kind == 0x02FC ? st.brush : st.font) = w[0];
        break;
      }
      case 0x01F0: {
        if (!need(1) || w[0] < 0 || w[0] >= static_cast<int>(table.size()) || !table[w[0]])
          return fail("delete of a missing object");
        for (const State& s : saved)
          if (s.pen == w[0] || s.brush == w[0] || s.font == w[0])
            return fail("delete of an object a saved state holds");
        table[w[0]].reset();
        if (st.pen == w[0]) st.pen.reset();
        if (st.brush == w[0]) st.brush.reset();
        if (st.font == w[0]) st.font.reset();
        break;
      }
      case 0x001E:
        saved.push_back(st);
        break;
      case 0x0127:
        if (saved.empty()) return fail("restore without save");
        st = saved.back();
        saved.pop_back();
        break;
      case 0x0104:
        st.rop2 = w.at(0);
        break;
      case 0x0102:
        st.bkMode = w.at(0);
        break;
      case 0x0201:
        st.bkColor = static_cast<std::uint32_t>(w.at(0) & 0xFFFF) | (w.at(1) & 0xFF) << 16;
        break;
      case 0x0209:
        st.textColor = static_cast<std::uint32_t>(w.at(0) & 0xFFFF) | (w.at(1) & 0xFF) << 16;
        break;
      case 0x0416:
        st.clipped = true;
        break;
      case 0x0214:
        st.pos = {w.at(1), w.at(0)};
        break;
      case 0x0213:
        op.points = {st.pos, {w.at(1), w.at(0)}};
        st.pos = op.points[1];
        finishOp();
        break;
      case 0x0324:
      case 0x0325: {
        const int n = w.at(0);
        if (n < 0 || static_cast<std::size_t>(1 + 2 * n) != w.size()) return fail("point count");
        for (int i = 0; i < n; ++i) op.points.push_back({w[1 + 2 * i], w[2 + 2 * i]});
        finishOp();
        break;
      }
      case 0x041B:
      case 0x0418:
        op.points = {{w.at(3), w.at(2)}, {w.at(1), w.at(0)}};
        finishOp();
        break;
      case 0x0817:
      case 0x081A:
        op.points = {
            {w.at(7), w.at(6)}, {w.at(5), w.at(4)}, {w.at(3), w.at(2)}, {w.at(1), w.at(0)}};
        finishOp();
        break;
      case 0x0521: {
        const int n = w.at(0);
        const std::size_t words = (n + 1) / 2;
        if (n < 0 || w.size() != 1 + words + 2) return fail("text length");
        op.text = params.substr(2, n);
        op.points = {{w[1 + words + 1], w[1 + words]}};
        finishOp();
        break;
      }
      default:
        break;
    }
    at += 2 * static_cast<std::size_t>(size);
  }
  if (!eof) return fail("no EOF record");
  if (maxSeen != f.maxRecord) return fail("max record");
  if (f.peakObjects > f.numberOfObjects) return fail("object count");
  return f;
}

}  // namespace kurvio::testing
