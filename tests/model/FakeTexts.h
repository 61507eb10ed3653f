// Text lookup for the model tests: the Polish texts the tests check, "T<id>"
// for every other id, with the indent spaces in front.
#pragma once

#include <map>
#include <string>

#include "model/ITextSource.h"

namespace zo::model::test {

class FakeTexts : public ITextSource {
 public:
  std::string Text(int id, int indent = 0) const override {
    static const std::map<int, std::string> kTexts{
        {102, " - Kontroler sondy lambda"},
        {108, " - Tester"},
        {150, " [obr/min]"},
        {151, " [poz]"},
        {403, "KASUJ"},
        {410, "Błąd"},
        {411, "USTAW"},
        {413, "Typ cewki"},
        {415, "4 cylindry"},
        {436, "Próg TPS"},
        {453, "Sonda"},
        {460, "Symulacja"},
        {465, "Typowa"},
        {480, "Czas przełączania"},
        {552, "KASUJ"},
        {555, "Nie"},
        {556, "Tak"},
        {571, "Brak"},
        {741,
         "\n\r  Do prawidłowej obsługi tego starownika   \n\r  wymagana jest nowsza wersja "
         "programu\n\r  minimum  V"},
    };
    const auto found = kTexts.find(id);
    const std::string text = found != kTexts.end() ? found->second : "T" + std::to_string(id);
    return std::string(static_cast<std::size_t>(indent), ' ') + text;
  }
};

}  // namespace zo::model::test
