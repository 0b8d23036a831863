#pragma once
// A small streaming JSON writer that keeps keys in the order written and
// writes doubles with the fewest digits that read back the same value.

#include <ostream>
#include <string>
#include <vector>

class JsonWriter {
 public:
  explicit JsonWriter(std::ostream& out) : out_(out) {}

  void BeginObject();
  void EndObject();
  void BeginArray();
  void EndArray();
  void Key(const std::string& key);
  void String(const std::string& utf8);
  void Number(double v);  // NaN and infinities have no JSON form: null
  void Int(long long v);
  void Bool(bool v);

 private:
  void Separate();
  std::ostream& out_;
  // Per open container: has it got an element yet?
  std::vector<bool> hasElement_;
  bool afterKey_ = false;
};
