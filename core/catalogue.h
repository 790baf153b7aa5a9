#ifndef CATALOGUE_H
#define CATALOGUE_H

#include <initializer_list>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

// Every text the programs show, by name: each language's catalogue (core/catalogues/<language>.json) holds one
// text for each of these names. A text may hold {placeholders}, which the code fills; a text of several lines may
// be written in its catalogue as a list of lines.
#define TALUNO_TEXT_NAMES(X) \
    X(languageName) X(taluno1Title) X(taluno1Summary) X(taluno2Title) X(taluno2Summary) X(taluno3Title) \
    X(taluno3Summary) X(taluno1Comment) X(taluno2Comment) X(taluno3Comment) X(experimentHeading) X(tossWindowTitle) X(helpWindowTitle) X(siteName) X(siteDescription) \
    X(quitCaption) X(resetCaption) X(helpCaption) X(closeCaption) X(stopCoinCaption) X(autoStopCaption) \
    X(autoStartCaption) X(startCaption) X(tossRowTitle) X(faceRowTitle) X(balanceRowTitle) X(tossFaceDescription) \
    X(tossBalanceDescription) X(walkGraphCaption) X(frequencyGraphCaption) X(shortageRowTitle) X(countRowTitle) \
    X(countCellDescription) X(headsText) X(tailsText) X(extraCopyResults) X(extraSavePicture) X(extraCoinsShare) \
    X(extraWalkLine) X(extraExactLaw) X(extraCoinsPanel) X(extraPoolResults) X(extraChangePercent) \
    X(extraShareLesson) X(extraLanguage) X(viewSizeMenu) X(viewSizeMenuPercent) X(viewSizeLarger) X(viewSizeSmaller) \
    X(viewSizeOriginal) X(viewSizeFitScreen) X(viewSizeFullScreen) X(helpProblem) X(helpShareNote) X(helpQuestion) \
    X(helpIdea) X(helpOperatingToss) X(helpOperatingTable) X(helpOperatingGraph) X(helpMenu) X(quitQuestion) \
    X(quitTitle) X(confirmEndTitle) X(rangePrompt) X(guestsTitle) X(experimentsTitle) X(shareCoinsPrompt) \
    X(shareCoinsTitle) X(changePercentPrompt) X(changePercentTitle) X(poolPrompt) X(poolTitle) X(tooMuchPasted) \
    X(saveFailed) X(nothingToCopy) X(okCaption) X(yesCaption) X(noCaption) X(cancelCaption) X(changePercentText) \
    X(lawCountTitle) X(lawMarksCaption) X(pictureSettingsLine) X(pictureCoinsHeading) X(pictureCoinsRow) X(coinsUnit) \
    X(coinsRunColumn) X(coinsLawColumn) X(shareHeading) X(shareInRun) X(shareInLaw) X(shareNote) \
    X(noGraphDescription) X(graphVerticalAxis) X(graphHorizontalAxis) X(binAtMost) X(binAtLeast) X(tableBinAtMost) \
    X(tableBinAtLeast) X(graphDescription) X(graphModeOne) X(graphModeMany) X(graphModeJoiner) X(graphAllAt) \
    X(graphRange) X(walkNotYet) X(walkDescription) X(walkNotEnough) X(walkRanOutAt) X(walkEnough) X(walkEnoughLowest) \
    X(walkLowestSoFar) X(walkCoinsNeeded) X(walkNoCoinsNeeded) X(copyGuests) X(copyExperiments) X(copyChangePercent) \
    X(copyMean) X(copyLowest) X(copyCount) X(copyRelative) X(copyEnoughShare) X(copyLawCount) X(copyCoinsEnough) \
    X(copyCoinsPrepared) X(copyEnoughRun) X(copyEnoughLaw) X(copyToss) X(copyFace) X(copyBalance) X(copyWalkLowest) \
    X(refusalNothing) X(refusalUnreadable) X(refusalNumberUnclear) X(refusalLowestOutOfRange) X(refusalMixedGuests) \
    X(refusalMixedShares) X(refusalTableUnreadable) X(refusalCountsMismatch) X(refusalTooManyExperiments) \
    X(lessonGuests) X(lessonExperiments) X(lessonShare) X(lessonShow) X(lessonPrepare) X(lessonLanguage) \
    X(lessonQuoted) X(lessonQuotedCut) X(lessonNotInRange) X(lessonRefused) X(lessonNotUsedHere) X(lessonNoSuchShow) \
    X(lessonOtherPage) X(lessonUnknownSetting) X(lessonGivenTwice) X(lessonNoSuchLanguage) X(optionUnknown) \
    X(optionNoValue) X(optionNotALink) X(commandLineUsage) X(optionGuests) X(optionExperiments) X(optionShare) \
    X(optionShow) X(optionShowEntry) X(optionShowJoiner) X(optionPrepare) X(optionPrepareGuests) X(optionLanguage) \
    X(optionHelp) X(optionRange) X(commandLineLinkNote) X(unusedNotice) X(unusedNoticeLine) X(unusedNoticeMore) \
    X(unusedNoticeTitle) X(shareLessonTitle) X(shareLessonText) X(copyLinkCaption) X(changeSiteCaption) X(sitePrompt) \
    X(siteTitle) X(siteRefusal) X(siteGivenNote) X(pageEnded) X(pageEndedHint) X(pageReload) X(pageHome) \
    X(pageFailed) X(announcedJoiner) X(launcherSummary) X(launcherProgram) X(launcherMenuNote) X(launcherTeachers) \
    X(launcherGuide) X(launcherWorksheet) X(launcherLessonHeading) X(launcherLessonNote) X(launcherProgramField) \
    X(launcherGuestsField) X(launcherExperimentsField) X(launcherShareField) X(launcherPrepareField) X(launcherSiteField) \
    X(launcherVersion)

enum class Text {
#define TALUNO_TEXT_ENUM(name) name,
    TALUNO_TEXT_NAMES(TALUNO_TEXT_ENUM)
#undef TALUNO_TEXT_ENUM
};

// The name of a text in the catalogues: "quitCaption".
std::string_view textName(Text name);
// Every name, in the order above.
const std::vector<Text> &allTexts();

// A catalogue's texts by name as its file gives them, or why the file cannot be read (empty where it can). Lines of a
// list are joined by line breaks.
struct CatalogueReading
{
    std::map<std::string, std::string, std::less<>> texts;
    std::string error;
};
CatalogueReading readCatalogue(std::string_view json);

// The languages that have a catalogue, by their codes as the catalogues' file names give them ("en", "ja"), sorted.
const std::vector<std::string> &catalogueLanguages();
// The language the programs were first written in, and the one chosen where no language asked for has a catalogue.
inline constexpr std::string_view originalLanguage = "ja";
inline constexpr std::string_view fallbackLanguage = "en";

// The first of `preferred` that has a catalogue, each a code as a system or a browser gives it ("en-GB", "ja_JP.UTF-8",
// "ja"), compared by its language alone; English where none has one.
std::string chooseLanguage(const std::vector<std::string> &preferred);

// The language the texts are in: the original until another is used.
const std::string &currentLanguage();
// Makes `language` the language of the texts; false, changing nothing, where it has no catalogue.
bool useLanguage(std::string_view language);

// A text in the current language, or in `language` (which must have a catalogue).
const std::string &text(Text name);
const std::string &textIn(std::string_view language, Text name);
// A text in the current language with its placeholders filled: {"guests", "35"} for "{guests}".
std::string text(Text name, std::initializer_list<std::pair<std::string_view, std::string>> values);
// Whether `shown` is the text `name` in any language: copied results are read back in whichever language they
// were copied in.
bool isTextInAnyLanguage(std::string_view shown, Text name);

// What `make` gives, made once for each language it is asked in: for tables built from the texts.
template <typename Make>
const auto &madeInLanguage(Make make)
{
    static std::map<std::string, decltype(make()), std::less<>> made;
    auto found = made.find(currentLanguage());
    if (found == made.end())
        found = made.emplace(currentLanguage(), make()).first;
    return found->second;
}

#endif
