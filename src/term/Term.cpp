// SPDX-License-Identifier: GPL-3.0-or-later
// Term scanner and compiler: recursive descent over the normalised text, with
// implicit multiplication by re-parsing after inserting "*" where the parse
// stopped.
#include "term/Term.h"

#include <locale.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <vector>

#include "settings/TextEncoding.h"
#include "term/TermCache.h"

namespace kurvio {

TermNode::~TermNode() {
  ForgetTermPrograms();
  // Unlink the children into an explicit stack so that a long chain such as
  // 1+1+1+... is freed in a loop rather than by nested destructor calls.
  std::vector<std::unique_ptr<TermNode>> pending;
  if (left) pending.push_back(std::move(left));
  if (right) pending.push_back(std::move(right));
  while (!pending.empty()) {
    std::unique_ptr<TermNode> node = std::move(pending.back());
    pending.pop_back();
    if (node->left) pending.push_back(std::move(node->left));
    if (node->right) pending.push_back(std::move(node->right));
  }
}

namespace {

enum ErrorCode : int {
  kErrCloseExpected = 0,  // triggers implicit multiplication, never shown
  kErrOpenMissing = 1,
  kErrNumber = 2,
  kErrIncomplete = 3,
  kErrLeftOver = 4,  // triggers implicit multiplication, never shown
  kErrUnknownSymbol = 5,
  kErrCloseTooMany = 6,
  kErrTooDeep = 7,
  kErrTooLong = 8,
  kNoError = 10,
};

const char* ErrorText(int code) {
  switch (code) {
    case kErrOpenMissing:
      return "Klammer \"(\" fehlt ";
    case kErrNumber:
      return "Zahldarstellung ";
    case kErrIncomplete:
      return "unvollständig ";
    case kErrCloseTooMany:
      return "Klammer \")\" zuviel ";
    case kErrTooDeep:
      return "Term zu tief verschachtelt ";
    case kErrTooLong:
      return "Term zu lang ";
    default:
      return "unbekanntes Symbol ";
  }
}

struct FunctionName {
  const char* name;
  std::size_t length;
  std::uint8_t kind;
};

// Searched in this order; a name stands before every shorter name that is its prefix.
constexpr FunctionName kFunctionNames[] = {
    {"ln", 2, kLn},         {"lg", 2, kLg},         {"ld", 2, kLd},         {"sinh", 4, kSinh},
    {"cosh", 4, kCosh},     {"tanh", 4, kTanh},     {"coth", 4, kCoth},     {"sqrt", 4, kSqrt},
    {"wurzel", 6, kSqrt},   {"sqr", 3, kSqr},       {"exp", 3, kExp},       {"sin", 3, kSin},
    {"cos", 3, kCos},       {"tan", 3, kTan},       {"cot", 3, kCot},       {"arcsin", 6, kArcsin},
    {"arccos", 6, kArccos}, {"arctan", 6, kArctan}, {"arccot", 6, kArccot}, {"normal", 6, kNormal},
    {"\xE8", 1, kPhi},      {"abs", 3, kAbs},       {"sign", 4, kSgn},      {"sgn", 3, kSgn},
    {"maxint", 6, kMaxint}, {"int", 3, kInt},       {"deg", 3, kDeg},       {"rad", 3, kRad},
    {"fak", 3, kFak},
};
static_assert(sizeof(kFunctionNames) / sizeof(kFunctionNames[0]) == 29);

bool IsDigit(unsigned char c) { return c >= '0' && c <= '9'; }

// Reads a number with '.' as the decimal point whatever the process locale is.
bool ConvertLiteral(const std::string& literal, double& value) {
  static locale_t cLocale = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(nullptr));
  char* end = nullptr;
  value = strtod_l(literal.c_str(), &end, cLocale);
  if (end != literal.c_str() + literal.size()) return false;
  return std::isfinite(value);  // a literal beyond the range of a double is rejected
}

TermHandle MakeNode(std::uint8_t kind) {
  auto node = std::make_unique<TermNode>();
  node->kind = kind;
  return node;
}

class Compiler {
 public:
  Compiler(const std::string& text, bool variablesAllowed, TermMode mode)
      : s_(text),
        len_(static_cast<int>(text.size())),
        variablesAllowed_(variablesAllowed),
        mode_(mode) {}

  // One pass over the text. Returns the tree, or null with error() set.
  TermHandle Parse() {
    pos_ = 0;
    ch_ = ' ';
    Next();
    error_ = false;
    code_ = kNoError;
    TermHandle root = Expression();
    if (pos_ <= len_ && static_cast<unsigned char>(s_[pos_ - 1]) != ' ' && !error_)
      Fail(kErrLeftOver);
    if (error_) root.reset();
    return root;
  }

  bool error() const { return error_; }
  int code() const { return code_; }
  int position() const { return pos_; }
  // The number that could not be read, on kErrNumber.
  const std::string& failedLiteral() const { return failedLiteral_; }

 private:
  void Fail(int code) {
    if (error_) return;
    error_ = true;
    code_ = code;
  }

  unsigned char At(int position) const {
    return position >= 1 && position <= len_ ? static_cast<unsigned char>(s_[position - 1]) : 0;
  }

  // Advance to the next character. Past the end the position stays at
  // length + 1 and the current character keeps its value; a further advance
  // from there makes it byte 0.
  void Next() {
    prev_ = ch_;
    if (pos_ > len_) {
      ch_ = 0;
      return;
    }
    ++pos_;
    if (pos_ <= len_)
      ch_ = static_cast<unsigned char>(s_[pos_ - 1]);
    else
      pos_ = len_ + 1;
  }

  TermHandle Binary(std::uint8_t kind, TermHandle left, TermHandle right) {
    TermHandle node = MakeNode(kind);
    node->left = std::move(left);
    node->right = std::move(right);
    return node;
  }

  TermHandle Expression() {
    TermHandle tree = Term();
    while (!error_ && (ch_ == '+' || ch_ == '-')) {
      std::uint8_t op = ch_;
      Next();
      TermHandle right = Term();
      tree = Binary(op, std::move(tree), std::move(right));
    }
    return tree;
  }

  TermHandle Term() {
    TermHandle tree = Power();
    while (!error_ && (ch_ == '*' || ch_ == '/')) {
      std::uint8_t op = ch_;
      Next();
      TermHandle right = Power();
      tree = Binary(op, std::move(tree), std::move(right));
    }
    return tree;
  }

  TermHandle Power() {
    TermHandle tree = Factor();
    while (!error_ && ch_ == '^') {
      Next();
      TermHandle right = Factor();
      tree = Binary(kPow, std::move(tree), std::move(right));
    }
    return tree;
  }

  void ExpectClose() {
    if (ch_ != ')' && !error_) Fail(kErrCloseExpected);
    if (!error_) Next();
  }

  static bool IsOperator(unsigned char c) { return c == '*' || c == '+' || c == '-' || c == '/'; }

  TermHandle Factor() {
    struct DepthGuard {
      int& depth;
      explicit DepthGuard(int& d) : depth(d) { ++depth; }
      ~DepthGuard() { --depth; }
    } guard(depth_);
    if (depth_ > kMaxTermNesting) {
      Fail(kErrTooDeep);
      return nullptr;
    }

    if (ch_ == '(') {
      Next();
      TermHandle inner = Expression();
      ExpectClose();
      return inner;
    }
    if (ch_ == '-' && !IsOperator(prev_)) {
      Next();
      TermHandle node = MakeNode(kNeg);
      node->left = Power();
      return node;
    }
    if (ch_ == '+' && !IsOperator(prev_)) {
      Next();
      return Power();
    }
    if (pos_ <= len_) {
      for (const FunctionName& f : kFunctionNames) {
        if (static_cast<std::size_t>(len_ - pos_ + 1) < f.length) continue;
        if (s_.compare(pos_ - 1, f.length, f.name, f.length) != 0) continue;
        pos_ += static_cast<int>(f.length) - 1;
        Next();
        if (ch_ != '(') {
          Fail(kErrOpenMissing);
          return nullptr;
        }
        Next();
        TermHandle node = MakeNode(f.kind);
        node->left = Expression();
        ExpectClose();
        return node;
      }
    }

    std::uint8_t symbol = 255;
    switch (ch_) {
      case 'x':
        if (variablesAllowed_ && mode_ == TermMode::Ordinary) symbol = kVarX;
        break;
      case 't':
        if (variablesAllowed_) symbol = kParamT;
        break;
      case 'w':
        if (variablesAllowed_ && mode_ == TermMode::Integral) symbol = kVarW;
        break;
      case 0xE3:
        symbol = kConstPi;
        break;
      case 'e':
        symbol = kConstE;
        break;
      case 'a':
        symbol = kParamA;
        break;
      case 'b':
        symbol = kParamB;
        break;
      case 'c':
        symbol = kParamC;
        break;
      case 'n':
        if (mode_ == TermMode::Sequence) symbol = kIndexN;
        break;
      default:
        break;
    }
    if (symbol != 255) {
      Next();
      return MakeNode(symbol);
    }
    if (IsDigit(ch_) || ch_ == '.') return Literal();

    if (ch_ == ' ' || pos_ == len_ + 1)
      Fail(kErrIncomplete);
    else if (ch_ == ')')
      Fail(kErrCloseTooMany);
    else
      Fail(kErrUnknownSymbol);
    return nullptr;
  }

  TermHandle Literal() {
    const int start = pos_;
    int j = pos_;
    int digitsBeforePoint = 0;
    while (IsDigit(At(j))) {
      ++j;
      ++digitsBeforePoint;
    }
    if (At(j) == '.' && digitsBeforePoint > 0) ++j;
    while (IsDigit(At(j))) ++j;
    if (At(j) == 'e' || At(j) == 'E') {
      ++j;
      if (At(j) == '+' || At(j) == '-') ++j;
      while (IsDigit(At(j))) ++j;
    }
    const std::string literal = s_.substr(start - 1, j - start);
    pos_ = j - 1;
    Next();

    double value = 0.0;
    if (digitsBeforePoint == 0 || literal.back() == '.' || !ConvertLiteral(literal, value)) {
      failedLiteral_ = literal;
      Fail(kErrNumber);
      return nullptr;
    }
    TermHandle node = MakeNode(kNumber);
    node->value = value;
    return node;
  }

  const std::string& s_;
  const int len_;
  const bool variablesAllowed_;
  const TermMode mode_;
  int pos_ = 0;
  unsigned char ch_ = ' ';
  unsigned char prev_ = ' ';
  bool error_ = false;
  int code_ = kNoError;
  int depth_ = 0;
  std::string failedLiteral_;
};

bool IsLetter(unsigned char c) { return c >= 'a' && c <= 'z'; }

// What the term language writes for the name starting at `at` (a letter it
// does not know there), for the names pupils reach for first.
std::string NameHint(const std::string& s, std::size_t at, bool variablesAllowed, TermMode mode) {
  std::size_t end = at;
  while (end < s.size() && IsLetter(static_cast<unsigned char>(s[end]))) ++end;
  const std::string word = s.substr(at, end - at);
  const char c = s[at];
  if ((c == 'x' || c == 't') && !variablesAllowed) return "in Zahlenfeldern stehen weder x noch t";
  if (c == 'x' && mode == TermMode::Integral) return "hier heißt die Variable t";
  if ((c == 'x' || c == 'y') && mode == TermMode::Sequence)
    return "bei Folgen heißt die Variable n";
  if (c == 'y') return "die Variable heißt x; einzugeben ist nur der Term";
  if (c == 'n') return "n gibt es nur bei Folgen";
  if (word.rfind("log", 0) == 0) return "Logarithmus: lg(x), ln(x) oder ld(x)";
  if (word.rfind("root", 0) == 0 || word.rfind("wur", 0) == 0) return "Wurzel: sqrt(x)";
  return "die erlaubten Namen stehen in der Hilfe zur Termeingabe";
}

// What the term language writes instead of the symbol at `at`, for the slips
// pupils make most; empty when there is nothing to say.
std::string SymbolHint(const std::string& s, std::size_t at, bool variablesAllowed, TermMode mode) {
  const unsigned char c = static_cast<unsigned char>(s[at]);
  const unsigned char before = at > 0 ? static_cast<unsigned char>(s[at - 1]) : 0;
  if (IsLetter(c)) return NameHint(s, at, variablesAllowed, mode);
  switch (c) {
    case '|':
      return "Betrag: abs(x)";
    case 0xB2:  // ²
      return "Quadrat: x^2";
    case 0xB3:  // ³
      return "hoch 3: x^3";
    case 0xB7:  // ·
    case 0xD7:  // ×
      return "mal: *";
    case ':':
    case 0xF7:  // ÷
      return "geteilt: /";
    case '[':
    case ']':
      return "Klammern sind nur ( )";
    case '!':
      return "Fakultät: fak(x)";
    case '=':
      return "einzugeben ist nur der Term, ohne „y =“";
    case '{':
      return "vor dem Kommentar { fehlt der Term";
    case '+':
    case '-':
      if (before == '*' || before == '/' || before == '+' || before == '-')
        return "kein Vorzeichen nach *, /, + oder -: 3*(-x) oder -3x";
      return {};
    case '*':
    case '/':
    case '^':
      return "zwei Rechenzeichen nacheinander";
    default:
      return {};
  }
}

// Why a number could not be read.
std::string NumberHint(const std::string& literal) {
  if (!literal.empty() && std::string("eE+-").find(literal.back()) != std::string::npos)
    return "nach einer Zahl steht e für die Zehnerpotenz: 2e3 = 2000, 2·e schreibt man 2*e";
  if (literal.empty() || literal.front() == '.' || literal.back() == '.')
    return "eine Zahl hat höchstens ein Komma, mit Ziffern davor und danach: 0,5 oder 5,0";
  return "die Zahl ist zu groß";
}

// The message for a failed compilation of `s` (with any inserted "*"), the
// error's place counted as `shownPosition` in the text as typed.
std::string SyntaxErrorMessage(const Compiler& compiler, const std::string& s, int shownPosition,
                               bool variablesAllowed, TermMode mode) {
  const int code = compiler.code();
  const int position = compiler.position();
  std::string message = std::string("Syntaxfehler: ") + ErrorText(code);
  std::string hint;
  if (code == kErrUnknownSymbol && position >= 1 && position <= static_cast<int>(s.size())) {
    const std::size_t at = static_cast<std::size_t>(position - 1);
    const unsigned char c = static_cast<unsigned char>(s[at]);
    TextForm form;
    // A control character shows as nothing; its place says where it is.
    if (c >= 0x20 && c != 0x7F) message += "„" + DecodeText(s.substr(at, 1), form) + "“ ";
    message += "an Stelle " + std::to_string(shownPosition);
    hint = SymbolHint(s, at, variablesAllowed, mode);
  } else if (code == kErrNumber) {
    hint = NumberHint(compiler.failedLiteral());
  }
  if (!hint.empty()) {
    while (!message.empty() && message.back() == ' ') message.pop_back();
    message += " — " + hint;
  }
  return message;
}

}  // namespace

std::string NormalizeTerm(const std::string& text) {
  const std::size_t brace = text.find('{');
  const std::string comment = brace == std::string::npos ? std::string() : text.substr(brace);
  const std::size_t bodyLength = brace == std::string::npos ? text.size() : brace;

  std::string body;
  body.reserve(bodyLength);
  for (std::size_t i = 0; i < bodyLength; ++i) {
    char c = text[i];
    if (c == ' ') continue;
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    body.push_back(c);
  }

  auto replaceAll = [](std::string& s, const std::string& from, char to) {
    std::string out;
    out.reserve(s.size());
    for (std::size_t i = 0; i < s.size();) {
      if (s.compare(i, from.size(), from) == 0) {
        out.push_back(to);
        i += from.size();
      } else {
        out.push_back(s[i++]);
      }
    }
    s.swap(out);
  };
  replaceAll(body, "pi", kPiByte);
  replaceAll(body, "phi", kPhiByte);
  for (char& c : body)
    if (c == ',') c = '.';
  return body + comment;
}

TermCompilation Compile(TermHandle& handle, const std::string& text, bool variablesAllowed,
                        TermMode mode) {
  handle.reset();
  ForgetTermPrograms();
  std::string s = NormalizeTerm(text);
  if (s.empty()) s.push_back('0');
  const std::size_t brace = s.find('{');
  if (brace != std::string::npos && brace > 0) s.resize(brace);

  if (s.size() > kMaxTermLength)
    return {false, static_cast<int>(kMaxTermLength),
            std::string("Syntaxfehler: ") + ErrorText(kErrTooLong)};

  int inserted = 0;
  for (;;) {
    Compiler compiler(s, variablesAllowed, mode);
    handle = compiler.Parse();
    const int code = compiler.code();
    if (compiler.error() && (code == kErrLeftOver || code == kErrCloseExpected)) {
      // Implicit multiplication: put "*" where the parse stopped and try again.
      // Each retry gets past the inserted sign, so this ends within the text length.
      const std::size_t at = std::min<std::size_t>(compiler.position() - 1, s.size());
      s.insert(at, 1, '*');
      ++inserted;
      continue;
    }
    if (!compiler.error()) return {true, 0, {}};
    const int errorPos = compiler.position() - inserted;
    return {false, errorPos, SyntaxErrorMessage(compiler, s, errorPos, variablesAllowed, mode)};
  }
}

}  // namespace kurvio
