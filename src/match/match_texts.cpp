#include "match/match_texts.hpp"

#include <algorithm>
#include <vector>

#include "core/messages.hpp"
#include "core/path_text.hpp"
#include "report/comparison_texts.hpp"
#include "report/report_compare.hpp"

namespace korvane::lancheck {

namespace {

// The player's own file, before a match and after one, in the same words.
constexpr MessageText PlayersFileWords{
    "{1}: auf diesem PC von Hand geändert. Korvane überschreibt und löscht keine Datei, die es "
    "nicht selbst geschrieben hat, darum bleiben diese Datei und ihre Sicherung, wie sie sind; "
    "bitte diese Datei vom PC des Berichts kopieren (oder die Originaldatei zurücklegen) und "
    "diesen PC noch einmal angleichen",
    "{1}: changed by hand on this PC. Korvane never overwrites or deletes a file it did not "
    "write, so this file and its backup stay as they are; copy this file from the report's PC "
    "(or put back the original file) and make this PC match again"};

// "EA 2002 season and Quillon season"; grip names the seasons only.
std::string ComponentsText(const Components2002& components, bool grip, Language language) {
    std::vector<std::string> names;
    if (components.ea2002) {
        names.push_back(grip ? "EA 2002" : ComponentName(ComponentEA2002, language));
    }
    if (components.ql2002) {
        names.push_back(grip ? "Quillon" : ComponentName(ComponentQL2002, language));
    }
    if (components.gtr2002) {
        names.push_back(ComponentName(ComponentGTR2002, language));
    }
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i) {
        text += (i == 0 ? "" : TextIn(language, {" und ", " and "})) + names[i];
    }
    return text;
}

MessageText StepWords(StepKind kind) {
    switch (kind) {
    case StepKind::Harmonize2002:
    case StepKind::HarmonizeF1c:
        return {"{1} an {2} angleichen", "Harmonize {1} to {2}"};
    case StepKind::Restore2002:
    case StepKind::RestoreF1c:
        return {"{1} wiederherstellen", "Restore {1}"};
    case StepKind::GripApply:
        return {"Optimierte Gripwerte für {1} einsetzen",
                "Put the optimized grip values in place for {1}"};
    case StepKind::GripRestore:
        return {"Original-Gripwerte für {1} wiederherstellen",
                "Put back the original grip values for {1}"};
    }
    return {"", ""};
}

MessageText LeftoverWords(Unmatchable why) {
    switch (why) {
    case Unmatchable::NotInstalledHere:
        return {"{1}: auf diesem PC nicht installiert; bitte dasselbe Spiel oder Add-on wie auf "
                "dem PC des Berichts installieren",
                "{1}: not installed on this PC; install the same game or add-on as on the "
                "report's PC"};
    case Unmatchable::InstalledHereOnly:
        return {"{1}: nur auf diesem PC installiert; Korvane lässt es, wie es ist",
                "{1}: installed on this PC only; Korvane leaves it as it is"};
    case Unmatchable::UnknownMaster:
        return {"{1}: das Masterteam des Berichts, {2}, gibt es hier nicht; bitte dasselbe "
                "Add-on wie auf dem PC des Berichts installieren",
                "{1}: the report's master team, {2}, is not on offer here; install the same "
                "add-on as on the report's PC"};
    case Unmatchable::ChangedHere:
        return PlayersFileWords;
    case Unmatchable::ChangedThere:
        return {"{1}: auf dem PC des Berichts von Hand geändert; bitte von dort kopieren",
                "{1}: changed by hand on the report's PC; copy it from there"};
    case Unmatchable::MissingHere:
        return {"{1}: fehlt auf diesem PC; bitte vom PC des Berichts kopieren oder dasselbe "
                "Add-on installieren",
                "{1}: missing on this PC; copy this file from the report's PC or install the "
                "same add-on"};
    case Unmatchable::MissingThere:
        return {"{1}: fehlt auf dem PC des Berichts; dort dasselbe Add-on installieren",
                "{1}: missing on the report's PC; install the same add-on there"};
    case Unmatchable::OtherData:
        return {"{1}: andere Daten als auf dem PC des Berichts (eine andere Version des Spiels "
                "oder Add-ons); bitte von dort kopieren",
                "{1}: other data than on the report's PC (another version of the game or "
                "add-on); copy this file from there"};
    }
    return {"", ""};
}

} // namespace

std::string StepText(const MatchStep& step, Language language) {
    const bool f1c = step.kind == StepKind::HarmonizeF1c || step.kind == StepKind::RestoreF1c;
    const bool grip = step.kind == StepKind::GripApply || step.kind == StepKind::GripRestore;
    const std::string what = f1c ? ComponentName(ComponentF1c, language)
                                 : ComponentsText(step.components, grip, language);
    return TextIn(language, StepWords(step.kind), {what, step.master});
}

std::string LeftoverText(const Leftover& leftover, Language language) {
    const std::string name = leftover.path.empty() ? ComponentName(leftover.component, language)
                                                   : Printable(ShownPath(leftover.path));
    return TextIn(language, LeftoverWords(leftover.why), {name, Printable(leftover.detail)});
}

std::string RunSummaryText(const MatchPlan& plan, const MatchRun& run, Language language) {
    constexpr std::size_t ListedAtMost = 10; // files per step
    const auto failed = std::ranges::count(run.outcomes, Outcome::Failed);
    if (failed == 0) {
        return "";
    }
    std::string text = TextIn(language,
                              {"Mit Fehlern beendet, {1} von {2} Schritten fehlgeschlagen:",
                               "Finished with errors, {1} of {2} steps failed:"},
                              {std::to_string(failed), std::to_string(plan.steps.size())});
    for (std::size_t i = 0; i < run.outcomes.size(); ++i) {
        if (run.outcomes[i] != Outcome::Failed) {
            continue;
        }
        text += CrLf + TextIn(language, {"Schritt {1}: {2}", "Step {1}: {2}"},
                              {std::to_string(i + 1), StepText(plan.steps[i], language)});
        const std::vector<FailureLog::Entry>& entries = run.failures[i].Entries();
        for (std::size_t k = 0; k < entries.size() && k < ListedAtMost; ++k) {
            const std::string path = ShownPath(entries[k].path);
            text += CrLf + std::string("  ") +
                    (entries[k].playersFile ? TextIn(language, PlayersFileWords, {path})
                                            : path + ": " + entries[k].reason);
        }
        if (entries.size() > ListedAtMost) {
            text += CrLf + std::string("  ") +
                    TextIn(language, {"... und {1} weitere", "... and {1} more"},
                           {std::to_string(entries.size() - ListedAtMost)});
        }
    }
    return text;
}

std::string PlanText(const MatchPlan& plan, Language language) {
    constexpr MessageText NoStep{"Kein Schritt von Korvane macht diesen PC gleicher.",
                                 "No step of Korvane's makes this PC more alike."};
    constexpr MessageText Steps{"Schritte, die diesen PC dem Bericht angleichen:",
                                "Steps that make this PC like the report:"};
    std::string text = TextIn(language, plan.steps.empty() ? NoStep : Steps) + '\n';
    for (std::size_t i = 0; i < plan.steps.size(); ++i) {
        text += "  " + std::to_string(i + 1) + ". " + StepText(plan.steps[i], language) + '\n';
    }
    return text + LeftoversText(plan, language);
}

std::string LeftoversText(const MatchPlan& plan, Language language) {
    if (plan.leftovers.empty()) {
        return "";
    }
    std::string text = TextIn(language, {"Was Korvane nicht angleichen kann:",
                                         "What Korvane cannot make equal:"}) +
                       '\n';
    for (const Leftover& leftover : plan.leftovers) {
        text += "  " + LeftoverText(leftover, language) + '\n';
    }
    return text;
}

std::string StepProgressText(std::size_t index, std::size_t count, const std::string& step,
                             Language language) {
    return TextIn(language, {"Schritt {1} von {2}: {3}", "Step {1} of {2}: {3}"},
                  {std::to_string(index + 1), std::to_string(count), step});
}

} // namespace korvane::lancheck
