// Compares the provider's type library source (TovikApiProviderLib.idl) with
// the hand-written C++ declarations (TovikApiProviderLib.h): the same
// interfaces with the same ids, and for each the same vtable slots in the same
// order, with the same names and parameter types; the same creatable classes
// with the same class ids. Prints every difference and exits 1 if there is
// one, so that the two cannot drift apart unnoticed.
//
//   IdlHeaderCheck <TovikApiProviderLib.idl> <TovikApiProviderLib.h>

#include <cstdio>
#include <fstream>
#include <iostream>
#include <map>
#include <regex>
#include <sstream>
#include <string>
#include <vector>

namespace {

// One vtable slot: "get_Name", "put_Name" or "raw_Name" and its parameter types
// in the header's spelling ("ULONG*", "ITovikVciItem**").
struct Slot {
  std::string name;
  std::vector<std::string> types;
  bool operator==(const Slot&) const = default;
};

struct Interface {
  std::string id;  // upper-case, without braces
  std::vector<Slot> slots;
};

struct Contract {
  std::map<std::string, Interface> interfaces;
  std::vector<std::string> order;                // interfaces in declaration order
  std::map<std::string, std::string> classIds;  // "TovikManager" -> id
  std::vector<std::string> problems;            // what could not be read
};

std::string ReadFile(const char* path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) {
    std::cerr << path << ": cannot be read\n";
    std::exit(2);
  }
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

std::string Trim(const std::string& text) {
  const auto first = text.find_first_not_of(" \t\r\n");
  if (first == std::string::npos) return {};
  return text.substr(first, text.find_last_not_of(" \t\r\n") - first + 1);
}

std::string Upper(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

std::string Collapse(const std::string& text) {
  return std::regex_replace(Trim(text), std::regex(R"(\s+)"), " ");
}

std::string WithoutComments(const std::string& text) {
  return std::regex_replace(text, std::regex(R"(//[^\n]*)"), "");
}

// "unsigned long* x" -> "ULONG*": the type part of a declarator, in the
// header's spelling.
std::string TypeOf(std::string declaration) {
  declaration = Collapse(declaration);
  std::string stars;
  std::string type;
  const std::size_t lastSpace = declaration.find_last_of(' ');
  type = lastSpace == std::string::npos ? declaration : declaration.substr(0, lastSpace);
  // Stars attached to the parameter name belong to the type.
  if (lastSpace != std::string::npos)
    for (char c : declaration.substr(lastSpace + 1))
      if (c == '*') stars += c;
  while (!type.empty() && (type.back() == '*' || type.back() == ' ')) {
    if (type.back() == '*') stars += '*';
    type.pop_back();
  }
  static const std::map<std::string, std::string> kIdlToHeader = {
      {"unsigned long", "ULONG"}, {"long", "LONG"}, {"unsigned char", "BYTE"}, {"const VARIANT&", "VARIANT"}};
  if (auto known = kIdlToHeader.find(type); known != kIdlToHeader.end()) type = known->second;
  return type + stars;
}

std::vector<std::string> SplitParameters(const std::string& list) {
  std::vector<std::string> parts;
  std::string current;
  int brackets = 0;
  for (char c : list) {
    if (c == '[') ++brackets;
    if (c == ']') --brackets;
    if (c == ',' && brackets == 0) {
      parts.push_back(Trim(current));
      current.clear();
    } else {
      current += c;
    }
  }
  if (!Trim(current).empty()) parts.push_back(Trim(current));
  return parts;
}

// ---- the IDL ----------------------------------------------------------------

Contract ReadIdl(const std::string& source) {
  Contract contract;
  const std::string text = WithoutComments(source);
  const std::regex interfaceBlock(R"(\[([^\]]*)\]\s*interface\s+(\w+)\s*:\s*IDispatch\s*\{([^}]*)\};)");
  const std::regex uuid(R"(uuid\(([0-9A-Fa-f-]+)\))");
  for (std::sregex_iterator it(text.begin(), text.end(), interfaceBlock), end; it != end; ++it) {
    const std::string attributes = (*it)[1], name = (*it)[2], body = (*it)[3];
    Interface itf;
    std::smatch id;
    if (std::regex_search(attributes, id, uuid)) itf.id = Upper(id[1]);
    if (attributes.find("dual") == std::string::npos || attributes.find("oleautomation") == std::string::npos)
      contract.problems.push_back(name + " is not declared dual and oleautomation");
    std::stringstream methods(body);
    std::string method;
    const std::regex shape(R"(^\[([^\]]*)\]\s*HRESULT\s+(\w+)\s*\((.*)\)$)");
    while (std::getline(methods, method, ';')) {
      method = Collapse(method);
      if (method.empty()) continue;
      std::smatch parts;
      if (!std::regex_match(method, parts, shape)) {
        contract.problems.push_back(name + ": cannot read \"" + method + "\"");
        continue;
      }
      const std::string methodAttributes = parts[1];
      std::string prefix = "raw_";
      if (methodAttributes.find("propget") != std::string::npos) prefix = "get_";
      if (methodAttributes.find("propput") != std::string::npos) prefix = "put_";
      Slot slot{prefix + parts[2].str(), {}};
      for (std::string parameter : SplitParameters(parts[3])) {
        parameter = std::regex_replace(parameter, std::regex(R"(^\[[^\]]*\]\s*)"), "");
        slot.types.push_back(TypeOf(parameter));
      }
      itf.slots.push_back(slot);
    }
    contract.order.push_back(name);
    contract.interfaces[name] = std::move(itf);
  }
  const std::regex coclass(R"(\[\s*uuid\(([0-9A-Fa-f-]+)\)\s*\]\s*coclass\s+(\w+))");
  for (std::sregex_iterator it(text.begin(), text.end(), coclass), end; it != end; ++it)
    contract.classIds[(*it)[2]] = Upper((*it)[1]);
  return contract;
}

// ---- the header -------------------------------------------------------------

std::string GuidText(const std::vector<std::string>& numbers) {
  // numbers: l, w1, w2, b1..b8 as written ("0x1F59BB30").
  auto hex = [](const std::string& number, int digits) {
    const unsigned long long value = std::stoull(number, nullptr, 16);
    char text[20];
    std::snprintf(text, sizeof text, "%0*llX", digits, value);
    return std::string(text);
  };
  std::string id = hex(numbers[0], 8) + "-" + hex(numbers[1], 4) + "-" + hex(numbers[2], 4) + "-";
  for (int i = 3; i < 11; ++i) id += hex(numbers[i], 2) + (i == 4 ? "-" : "");
  return id;
}

std::vector<std::string> Numbers(const std::string& list) {
  std::vector<std::string> numbers;
  const std::regex number(R"(0x[0-9A-Fa-f]+)");
  for (std::sregex_iterator it(list.begin(), list.end(), number), end; it != end; ++it) numbers.push_back(it->str());
  return numbers;
}

// The vtable slots one line of an interface body adds, in order. The
// property and element macros are the header's own shorthand.
bool SlotsOfLine(const std::string& line, std::vector<Slot>& slots) {
  std::smatch m;
  if (std::regex_search(line, m, std::regex(R"(^TOVIK_PROP_GET(PUT)?\((\w+), (\w+)\))"))) {
    slots.push_back({"get_" + m[3].str(), {m[2].str() + "*"}});
    if (m[1].matched) slots.push_back({"put_" + m[3].str(), {m[2].str()}});
    return true;
  }
  if (std::regex_search(line, m, std::regex(R"(^TOVIK_PROP_GET(PUT)?_BSTR\((\w+)\))"))) {
    slots.push_back({"get_" + m[2].str(), {"BSTR*"}});
    if (m[1].matched) slots.push_back({"put_" + m[2].str(), {"BSTR"}});
    return true;
  }
  if (std::regex_search(line, m, std::regex(R"(^TOVIK_PROP_GET_ITF\((\w+), (\w+)\))"))) {
    slots.push_back({"get_" + m[2].str(), {m[1].str() + "**"}});
    return true;
  }
  if (std::regex_search(line, m, std::regex(R"(^TOVIK_ELEMENT\((\w+), (\w+)\))"))) {
    slots.push_back({"raw_" + m[2].str(), {"ULONG", m[1].str() + "**"}});
    return true;
  }
  if (std::regex_search(line, std::regex(R"(^TOVIK_NEWENUM\b)"))) {
    slots.push_back({"get__NewEnum", {"IUnknown**"}});
    return true;
  }
  if (std::regex_search(line, m, std::regex(R"(^virtual HRESULT STDMETHODCALLTYPE (\w+)\((.*)\) = 0;$)"))) {
    Slot slot{m[1].str(), {}};
    for (const std::string& parameter : SplitParameters(m[2])) slot.types.push_back(TypeOf(parameter));
    slots.push_back(slot);
    return true;
  }
  return false;
}

Contract ReadHeader(const std::string& source) {
  Contract contract;
  const std::string text = WithoutComments(source);
  std::map<std::string, std::string> ids;
  const std::regex declareUuid(R"(TOVIK_DECLARE_UUID\(TovikApiProviderLib::(\w+),([^;]*)\);)");
  for (std::sregex_iterator it(text.begin(), text.end(), declareUuid), end; it != end; ++it) {
    const std::vector<std::string> numbers = Numbers((*it)[2]);
    if (numbers.size() == 11) ids[(*it)[1]] = GuidText(numbers);
    else contract.problems.push_back("TOVIK_DECLARE_UUID of " + (*it)[1].str() + " does not have 11 numbers");
  }
  const std::regex classId(R"(inline constexpr CLSID CLSID_(\w+)\s*=\s*\{([^;]*)\};)");
  for (std::sregex_iterator it(text.begin(), text.end(), classId), end; it != end; ++it) {
    const std::vector<std::string> numbers = Numbers((*it)[2]);
    if (numbers.size() == 11) contract.classIds[(*it)[1]] = GuidText(numbers);
  }
  // An interface body runs from "struct ITovikX : IDispatch {" to the "};"
  // at the start of a line.
  std::stringstream lines(text);
  std::string line;
  std::string current;
  while (std::getline(lines, line)) {
    std::smatch m;
    const std::string trimmed = Trim(line);
    if (std::regex_search(trimmed, m, std::regex(R"(^struct (\w+) : IDispatch \{$)"))) {
      current = m[1];
      contract.order.push_back(current);
      contract.interfaces[current].id = ids.count(current) ? ids[current] : std::string();
      continue;
    }
    if (current.empty()) continue;
    if (line.rfind("};", 0) == 0) {
      current.clear();
      continue;
    }
    std::vector<Slot>& slots = contract.interfaces[current].slots;
    if (!SlotsOfLine(trimmed, slots) && trimmed.find("virtual") != std::string::npos)
      contract.problems.push_back(current + ": cannot read \"" + trimmed + "\"");
  }
  for (const auto& [name, id] : ids)
    if (!contract.interfaces.count(name)) contract.problems.push_back(name + " has an id but no declaration");
  return contract;
}

// ---- comparison -------------------------------------------------------------

std::string Describe(const Slot& slot) {
  std::string text = slot.name + "(";
  for (std::size_t i = 0; i < slot.types.size(); ++i) text += (i ? ", " : "") + slot.types[i];
  return text + ")";
}

std::vector<std::string> Compare(const Contract& idl, const Contract& header) {
  std::vector<std::string> differences;
  for (const std::string& problem : idl.problems) differences.push_back("IDL: " + problem);
  for (const std::string& problem : header.problems) differences.push_back("header: " + problem);
  if (idl.order != header.order) {
    std::string idlOrder, headerOrder;
    for (const auto& name : idl.order) idlOrder += " " + name;
    for (const auto& name : header.order) headerOrder += " " + name;
    differences.push_back("interfaces differ: IDL" + idlOrder + "; header" + headerOrder);
  }
  for (const auto& [name, itf] : idl.interfaces) {
    auto other = header.interfaces.find(name);
    if (other == header.interfaces.end()) continue;  // reported with the order
    if (itf.id != other->second.id)
      differences.push_back(name + ": id {" + itf.id + "} in the IDL, {" + other->second.id + "} in the header");
    const std::vector<Slot>& a = itf.slots;
    const std::vector<Slot>& b = other->second.slots;
    for (std::size_t i = 0; i < std::max(a.size(), b.size()); ++i) {
      const std::string left = i < a.size() ? Describe(a[i]) : "nothing";
      const std::string right = i < b.size() ? Describe(b[i]) : "nothing";
      if (left != right)
        differences.push_back(name + " slot " + std::to_string(7 + i) + ": IDL " + left + ", header " + right);
    }
  }
  if (idl.classIds != header.classIds) {
    for (const auto& [name, id] : idl.classIds) {
      auto other = header.classIds.find(name);
      if (other == header.classIds.end()) differences.push_back("class " + name + " is not in the header");
      else if (other->second != id)
        differences.push_back("class " + name + ": {" + id + "} in the IDL, {" + other->second + "} in the header");
    }
    for (const auto& [name, id] : header.classIds)
      if (!idl.classIds.count(name)) differences.push_back("class " + name + " is not in the IDL");
  }
  if (idl.interfaces.empty()) differences.push_back("IDL: no interface found");
  return differences;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc != 3) {
    std::cerr << "usage: IdlHeaderCheck <TovikApiProviderLib.idl> <TovikApiProviderLib.h>\n";
    return 2;
  }
  const Contract idl = ReadIdl(ReadFile(argv[1]));
  const Contract header = ReadHeader(ReadFile(argv[2]));
  const std::vector<std::string> differences = Compare(idl, header);
  for (const std::string& difference : differences) std::cout << difference << "\n";
  if (!differences.empty()) return 1;
  std::size_t slots = 0;
  for (const auto& entry : idl.interfaces) slots += entry.second.slots.size();
  std::cout << idl.interfaces.size() << " interfaces, " << slots << " methods and " << idl.classIds.size()
            << " classes agree\n";
  return 0;
}
