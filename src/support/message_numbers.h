// The numbers of the catalogue texts the program fetches, named after what each text is.
// Every unit that shows a catalogue text takes its number from here.
#pragma once

namespace lxt {

inline constexpr int kMsgPublisherSite = 14;        // address of the "about" page
inline constexpr int kMsgOnlineManual = 15;         // address of the user manual
inline constexpr int kMsgOutputBoxFull = 27;        // the output box is full (text and title)
inline constexpr int kMsgNameAnOutputFile = 31;     // remedy: name an output file
inline constexpr int kMsgUntickDisable = 32;        // remedy: untick Disable
inline constexpr int kMsgListInOutputFile = 33;     // the complete list is in the output file
inline constexpr int kMsgTitleError = 34;           // title of warnings and error reports
inline constexpr int kMsgQuestionCommonWords = 40;  // load the common words of the language?
inline constexpr int kMsgTitleCommonWords = 42;
inline constexpr int kMsgSettingsSaved = 50;
inline constexpr int kMsgCountCaption = 73;    // cmdListWords when idle
inline constexpr int kMsgStopCaption = 74;     // cmdListWords while counting or listing
inline constexpr int kMsgStopQuestion = 75;    // whether to stop
inline constexpr int kMsgEmptyOutputTip = 76;  // tooltip of the empty output box
inline constexpr int kMsgPhaseInclusion = 77;  // the three ordering phases
inline constexpr int kMsgPhaseStatistics = 78;
inline constexpr int kMsgPhaseFrequencyOrder = 79;
inline constexpr int kMsgUserFolderName = 310;  // the per-user settings folder

}  // namespace lxt
