// The explanation of every reader warning: why it is given, a scenario that gives it and how to
// fix it. A warning changes nothing in what is compiled; it points at what an author almost
// never means.
#include "driver/explanations.h"

namespace sb {
namespace {

constexpr Explanation kWarningTexts[] = {
    {.name = "unknown-keyword",
     .cause = "A field read where a keyword is expected matches no keyword of its file and is "
              "skipped. Mostly a keyword is misspelt, or an entry has a value too many, which is "
              "then read as a keyword. Section lines in brackets and separator fields with a "
              "\"-\" are not reported.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[pendenze]\n"
                              "pendensa, 2000, 5\n"
                              "[fine]\n"},
     .fix = "Correct the keyword's spelling, or the number of the entry's values."},
    {.name = "no-general-section",
     .cause = "The train file has no field holding \"[generale]\" before its last line. "
              "Everything before \"[generale]\" is ignored, so nothing was read from the train "
              "file: the line has no speed limit, no adhesion, no station and no signal.",
     .example = {.train_file = "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "[fine]\n"},
     .fix = "Begin the train file with the line \"[generale]\"."},
    {.name = "misplaced-entry",
     .cause = "An entry of the line file's general section stands after that section, or a "
              "body entry (gradient, curve, mountain side, board) stands inside it. Each entry "
              "is recognised only in its own part of the file, so this one is skipped, and its "
              "values are read as keywords.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[cartelli]\n"
                              "sfondo uno, 1\n"
                              "[fine]\n"},
     .fix = "Move the entry: the general entries between \"[generale]\" and the next section "
            "line, every other entry after that line."},
    {.name = "keyword-case",
     .cause = "The general section's keywords other than \"lunghezza percorso\" are recognised "
              "only in lower case; this one has capitals, so it is skipped and its values are "
              "read as keywords.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "Sfondo uno, 1\n"
                              "[fine]\n"},
     .fix = "Write the keyword in lower case."},
    {.name = "suspicious-name",
     .cause = "A station's name or a signboard's text is a number, is empty, is a section "
              "line, or was read from a later line. It is stored as it stands, but mostly the "
              "entry has a value too many (a value became the name) or too few (the name, or "
              "the next line, was read as a value).",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 1000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, 7\n"
                               "[fine]\n"},
     .fix = "Count the entry's values: a station has sixteen numbers before its name, a "
            "signboard one."},
    {.name = "in-run-out",
     .cause = "An entry lies beyond the route length, in the 7000 m of run-out that the track "
              "table adds after it. It is compiled, but the train only reaches it after the "
              "line's end.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 12000, 0, 1,0,0, 0, 0, 1,0,0, 0\n"
                               "[fine]\n"},
     .fix = "Correct the position, or the route length."},
    {.name = "curve-order",
     .cause = "A curve starts before the route plan has reached its position: the curves are "
              "out of order, or this one starts inside the one before. The plan is drawn one "
              "metre after the other, so the curve only turns from where the plan stands, and "
              "a curve that ends there turns nothing.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[curve]\n"
                              "curvad4, 3000, 500\n"
                              "curvas4, 2000, 300\n"
                              "[fine]\n"},
     .fix = "Write the curves in the order of their positions, each starting after the end of "
            "the one before."},
    {.name = "list-start",
     .cause = "The speed list (\"velocita\") or the adhesion list (\"aderenza\") does not "
              "start at position 0, or the train file has none. The cells before its first "
              "entry (all of them, without one) take a value carried over from the line file "
              "(the second value of its last mountain-side or speed-board entry, the fifth of "
              "its last speed-board entry), which an author rarely means: the end of a "
              "mountain-side stretch, in metres, taken as a speed makes the reading fail with "
              "code 25.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 1000, 100\n"
                               "[fine]\n"},
     .fix = "Start both lists with an entry at position 0."},
    {.name = "name-encoding",
     .cause = "A station's name or a signboard's text holds bytes that form UTF-8 characters. "
              "The simulator reads names in its single-byte code page (Windows-1252), where each "
              "such character shows as two or three wrong ones (\"CITTÀ\" as \"CITTÃ€\").",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 1000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, "
                               "CITT\xC3\x80\n"
                               "[fine]\n"},
     .fix = "Save the train file (and the line file) in the Windows-1252 encoding, or keep the "
            "names to plain ASCII."},
    {.name = "name-characters",
     .cause = "A station's name or a signboard's text ends in blanks or holds control "
              "characters (a tab, for instance). The name is stored with them, and the "
              "simulator shows them as they are.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 1000, 26, 200, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, MONTE \n"
                               "[fine]\n"},
     .fix = "Remove the blanks after the name and the control characters in it."},
    {.name = "value-wrapped",
     .cause = "A value is read without a fault, but the field of the compiled files it is "
              "stored in does not keep it as written, so the simulator reads another value: a "
              "gradient outside -100 to 155 (stored as a byte, plus 100), an adhesion or a "
              "mountain-side type outside 0 to 255, a slow order's speed, fourth value or second "
              "speed or an \"abbattimento\" value outside -32768 to 32767, and a signal's time "
              "outside 0 to 255 keep only their low bits; a speed board's speeds are packed in "
              "steps of 5 km/h below 500 km/h, so 52 km/h comes back as 50 km/h. The warning "
              "says what will be stored.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[pendenze]\n"
                              "pendenza, 2000, 250\n"
                              "[fine]\n"},
     .fix = "Write the value within the range of its field (chapters 5 to 9 give each range)."},
    {.name = "value-range",
     .cause = "A value is stored as written but lies outside the range the simulator reads it "
              "with: a signal's digits outside 0 to 9 (sx and dx outside 0 to 2), which its "
              "packed values no longer keep apart; a speed board's stripe count outside 0 to 9; "
              "a negative route length; a curve of length 0 or less, which turns nothing.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "segnale, 5000, 0, 12,0,0, 0, 0, 1,0,0, 0\n"
                               "[fine]\n"},
     .fix = "Write the value within its range (chapters 5 to 9 give each range)."},
    {.name = "zero-speed-board",
     .cause = "A speed board (\"indicatori_vmax\") has 0 km/h for all six of its speeds, so it "
              "shows no speed at all. Mostly its values are shifted: after the position come "
              "three s-side speeds, the s-side stripes, three d-side speeds and the d-side "
              "stripes.",
     .example = {.line_file = "[generale]\n"
                              "lunghezza percorso, 10000\n"
                              "[indicatori]\n"
                              "indicatori_vmax, 3000, 0,0,0,0, 0,0,0,0\n"
                              "[fine]\n"},
     .fix = "Give the board its speeds, in km/h."},
    {.name = "time-of-day",
     .cause = "The clock (\"orologio\") or a station's stop time has an hour of 24 or more, or "
              "minutes or seconds of 60 or more (or a negative part). A stop time is stored as "
              "one number of seconds, so 8, 75, 0 becomes 09:15:00 and 25, 0, 0 a time past the "
              "day's end; the clock keeps its three values as written, a time that does not "
              "exist.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "orologio, 8, 75, 0\n"
                               "[fine]\n"},
     .fix = "Write hours 0 to 23, minutes and seconds 0 to 59."},
    {.name = "slow-order-length",
     .cause = "A slow order's third value, its length in metres, is negative, 0 or below 50. "
              "With a negative length the end is placed before the start; with less than 50 m "
              "the slow order can end in its own start cell, and then the compiler finds no end "
              "to it and protects the track up to the end of the line.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "rallentamento, 5000, 30, -300, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Give the slow order's length, at least 50 m, as its third value; its end is the "
            "start plus the length."},
    {.name = "slow-order-span",
     .cause = "A slow order runs across another slow order, or across two or more stations, "
              "or its length is larger than its start position and it runs past a station. "
              "Mostly the third value was written as the slow order's end, where the reader "
              "takes it as its length: \"rallentamento, 11500, 30, 11900\" runs from 11500 m to "
              "23400 m. The warning is given once the whole train file is read.",
     .example = {.train_file = "[generale]\n"
                               "velocita, 0, 60\n"
                               "aderenza, 0, 100\n"
                               "stazione, 3000, 28, 200, 0,0,0, 0,0,0, 0,0,0, 60, 12,0,0, MONTE\n"
                               "rallentamento, 2000, 30, 2400, 0, 0, 0\n"
                               "[fine]\n"},
     .fix = "Give the slow order's length, not its end, as its third value, and keep slow "
            "orders apart."},
};

}  // namespace

std::span<const Explanation> warning_explanations() {
  return kWarningTexts;
}

}  // namespace sb
