#include "puzzle/verdict_text.hpp"

#include "puzzle/solution_verdict.hpp"

#include "ui/cp1251.hpp"

namespace puzzle {

using namespace ui;

namespace {

std::string causeText(const model::TaskVerdict& verdict) {
    const std::string rule = std::to_string(verdict.rule + 1);
    switch (verdict.cause) {
        case model::Unsolvable::NobodyToRow:
            return "Некому грести: в лодке нет лодочника, и никто не может в неё сесть."_cp;
        case model::Unsolvable::NobodyToReturn:
            return "Лодочника нет, а лодка берёт только одного: кто переплыл, тот и возвращается обратно."_cp;
        case model::Unsolvable::BoatTooSmall:
            return "Лодка слишком мала: самый тяжёлый персонаж в неё не помещается."_cp;
        case model::Unsolvable::BrokenAtGoal:
            return "Правило "_cp + rule + " нарушается, когда все уже на правом берегу."_cp;
        case model::Unsolvable::BrokenAtStart:
            return "Правило "_cp + rule + " нарушено уже в начале."_cp;
        case model::Unsolvable::RulesBlock:
        case model::Unsolvable::None:
            break;
    }
    return "Правила не дают перевезти всех."_cp;
}

}  // namespace

std::string verdictText(const model::TaskVerdict& verdict) {
    switch (verdict.status) {
        case model::SolveStatus::Solved:
            return "Кратчайшее решение:\n"_cp + crossingsText(verdict.crossings);
        case model::SolveStatus::TooLarge:
            return "Задача слишком большая: быстро проверить, есть ли у неё решение, не получается."_cp;
        case model::SolveStatus::NoSolution:
            break;
    }
    return "У задачи нет решения.\n"_cp + causeText(verdict);
}

}  // namespace puzzle
