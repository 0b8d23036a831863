#include "app/cli/json_writer.h"

#include <cmath>
#include <cstdio>

#include "core/format.h"

void JsonWriter::Separate() {
  if (afterKey_) {
    afterKey_ = false;
    return;
  }
  if (hasElement_.empty()) return;
  if (hasElement_.back()) out_ << ',';
  hasElement_.back() = true;
}

void JsonWriter::BeginObject() {
  Separate();
  out_ << '{';
  hasElement_.push_back(false);
}

void JsonWriter::EndObject() {
  hasElement_.pop_back();
  out_ << '}';
}

void JsonWriter::BeginArray() {
  Separate();
  out_ << '[';
  hasElement_.push_back(false);
}

void JsonWriter::EndArray() {
  hasElement_.pop_back();
  out_ << ']';
}

void JsonWriter::Key(const std::string& key) {
  String(key);
  out_ << ':';
  afterKey_ = true;
}

void JsonWriter::String(const std::string& utf8) {
  Separate();
  out_ << '"';
  for (unsigned char c : utf8) {
    switch (c) {
      case '"': out_ << "\\\""; break;
      case '\\': out_ << "\\\\"; break;
      case '\n': out_ << "\\n"; break;
      case '\r': out_ << "\\r"; break;
      case '\t': out_ << "\\t"; break;
      default:
        if (c < 0x20) {
          char escaped[8];
          std::snprintf(escaped, sizeof escaped, "\\u%04x", c);
          out_ << escaped;
        } else {
          out_ << static_cast<char>(c);
        }
    }
  }
  out_ << '"';
}

void JsonWriter::Number(double v) {
  Separate();
  if (!std::isfinite(v)) {
    out_ << "null";
    return;
  }
  out_ << ShortestNumber(v);
}

void JsonWriter::Int(long long v) {
  Separate();
  out_ << v;
}

void JsonWriter::Bool(bool v) {
  Separate();
  out_ << (v ? "true" : "false");
}
