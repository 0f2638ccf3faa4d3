#pragma once

// qvr-script: plays the game from a key script, with no window, and writes
// what a player would have seen as a transcript. Testers and tools rely on
// everything below staying as it is.
//
//   qvr-script [--game-dir DIR] [--seed N] [--time HH:MM:SS] [--from-backup]
//              SCRIPT
//
// SCRIPT "-" reads standard input. The game folder is opened exactly as the
// game opens it (the same lock, the same loading, the same saving); it is
// --game-dir, else $QVR_HOME, else the folder of the executable (for an
// installed runner, whose folder holds no QVR2.DAT, the user's data folder:
// core/game_folder.h); the numbered texts and the floors' events are read
// from TEXTS.DAT and EVENTS.DAT beside QVR2.DAT, and a missing or damaged one
// stops the run with 1 like the other data files. The title
// window is skipped, as with the game's command-line argument. Dice come
// from --seed (from the clock without it); the time of day starts at --time
// (12:00:00 without it) and moves only with the engine's time, by `wait`
// lines.
//
// A QVR1.DAT that will not load while QVR1.BAK does stops the run with 1 and
// says so. A save file of the right size whose characters hold what no play
// can produce does not load either: a used roster entry whose roster number
// is not its slot, or whose race, class, alignment, conditions, group, floor
// (-1..17), x or y (0..19), items (0..640) or item flags lie outside the
// bounds of the character's field list; the message names the file, the
// roster entry and the field, and the backup is offered as for other damage. With --from-backup the
// run starts from QVR1.BAK instead: the damaged file is kept as QVR1.DAT.damaged, the backup's
// image is written as QVR1.DAT (the backup stays), and start-up goes on; the title track's MUSIC
// line is then written twice. A save that loads is never touched by it.
//
// The desktop's per-user settings are never touched: the runner keeps its
// settings in memory, preset with this program's version under "Version"
// ("Major", "Minor", "Revision"), so that starting never makes the save a
// version change would make. Music plays nothing; the transcript tells which
// track would play.
//
// Exit status: 0 when the script ran to its end (even with a prompt still
// open: the exit sequence does not run then), when a `close` was allowed
// and the exit sequence ran and saved, or when the game ended itself (the
// edge of town's last row runs the exit sequence); 1 when the game stops
// with an error (a data file, the folder held by another copy, a failed save
// at exit, a window the runner cannot show: settings, an error the engine
// meets in play: standard error then says in Japanese that the game stops
// there and that the state is not saved, the exit sequence does not run and
// the save file stays as the last save before the error left it); 2
// for a script error (bad arguments, an unreadable script, an unknown line,
// a bad key name, a line the open screen or prompt cannot take, a fixed
// roll the game never made). Errors go
// to standard error, naming the script line. A failed save at exit is 1
// however the run ends after it: by `close`, by the edge of town's last row,
// or by the script running out while the message about it is open.
//
// Script lines. Blank lines and lines whose first non-blank is '#' are
// skipped; a line ends at LF (a CR before it is dropped) and holds at most
// kMaxScriptLineBytes bytes.
//   seed N      the run's dice come from seed N, as --seed would (added
//               for recorded sessions); only before the first step
//   start HH:MM:SS  the time of day the run starts at, as --time would;
//               only before the first step. --seed and --time on the
//               command line win over both.
//   key NAME    one key: A..Z, 0..9, Enter, Escape, Backspace, Space, Up,
//               Down, Left, Right, Home, End, PageUp, PageDown, Ctrl, Minus
//               (the minus sign, which number fields such as the camp's
//               teleport panel take), F2 (the message history: opens over
//               whatever screen or prompt is open, and closes it again)
//   keys ABC12  one key per letter or digit
//   text TEXT   everything after "text " replaces the open text box's text,
//               then Enter; well-formed UTF-8 without control characters
//   wait MS     moves time on by MS milliseconds (0..kMaxWaitMs); the
//               timers that fall due fire in order, each seeing the time of
//               day at which it falls due. A battle's narration box that
//               closes by itself (QVR.ini's "メッセージ" section, key "戦闘":
//               its delay in milliseconds, 0 or none waits for a key) closes
//               once the waits made while it is open add up to its delay;
//               any answer that closes a message box closes it sooner
//   dump        writes the screen model (below)
//   close       asks to close the main window; refused (while a battle
//               waits for orders) nothing happens, allowed the exit sequence
//               runs and the runner ends; nothing after it is read
//   click N     a mouse press on row N (from 0) of the list that has the
//               keyboard: the main window's menu (performs the row, as its
//               key letter would), or the open list picker or character
//               chooser; any press closes the ranking window
//   click LIST N  the same on one of the status window's lists (lstCommand,
//               lstItem, lstEQ)
//   fix NAME FACE  for test cases: the next roll of that name shows FACE
//               instead of what the dice drew, so that a case keeps testing
//               the outcome it names whatever other rolls come and go (the
//               die is still rolled: every other roll draws what it drew
//               before). Fixes of one name are taken in order. The names:
//               opening (1d30 when a battle starts: 1 the
//               monsters strike first, 2 the party, 3 friendly monsters,
//               4 a back attack), chest (1d30 after a victory; up to 11
//               leaves a chest) and trap (the entry of the trap table the
//               chest holds). A face its die cannot show stops the run as
//               an error in play (1); faces no roll took by the end of the
//               script make the exit status 2, naming them. The game itself
//               has no way to fix a roll, and `qvr --record` never writes it.
// `qvr --record FILE` writes these lines as the player plays: a comment,
// seed and start, then key, text, click and wait lines, and close when the
// window was closed. Mouse clicks in message boxes are written as the keys
// that do the same (Y, N, Enter, or text with the box's text); a click line
// in a message box or a file chooser is a script error.
// While a message box, list picker, character chooser or file chooser is
// open, the lines answer it as keys would, until it closes. A text box takes
// typing only through `text` (letter, digit, Space and Backspace keys there
// are script errors); a file chooser takes `text PATH` or `key Escape`
// (no file); `close` waits for no prompt and is a script error there.
// The status window, the ranking window and the message history take the
// lines the same way, as keys until they close; a `text` line there is a
// script error.
//
// Transcript, on standard output, one event per line, UTF-8. In every text,
// a line break (CR, LF or CR LF) is written \n, a backslash \\, a tab \t and
// any other control character \xNN.
//   MSG [title] text         a message box opens
//   ASK [title] text         a yes/no box opens
//   INPUT [title] text       a text box opens
//   PICK prompt | row | row  a list picker opens, or its rows change
//   PICK [mode N] | row | …  the character chooser opens, or its rows change
//   FILE pattern             the file chooser opens
//   MUSIC n path             track n starts; MUSIC 0 for silence
//   SAVE                     the save file was written
//   TITLE text               the main window's title changed
//   RANK heading | row | …   the ranking window opens
//   SAY text                 a battle says a line (the engine's narration, in
//                            the order it is said)
//   PANEL name [caption] | row | …  a maze panel takes the keyboard: a
//                            dungeon character's menu fraNPC (caption: its
//                            name), its five wares fraNPCBuy, the altar's
//                            wish list fraWish; the dump shows them as panels
//   HISTORY | line | …       the message history opens (key F2): the last
//                            lines of message and yes/no boxes, oldest
//                            first; the later lines of one box start with a
//                            full-width blank
// A battle shows its narration in message boxes, one MSG line a box and a
// line of narration a box, in the order said, after the SAY lines of the
// step (the encounter, a round, a flight) that said them; the battle goes on
// once each box is closed.
// The status window writes what has the keyboard when it opens and again
// whenever that changes (a line equal to one of the lines just before it
// is not written again):
//   STATUS caption | command | …  the command list lstCommand
//   ITEMS [title] prompt | item | …  lstItem, while an item is picked
//   EQUIP caption | item | …      lstEQ while equipping one kind, its last
//                                 row "なにもつけない"
//   SPELLS school | line | …      the spell book, one line per school
//   NOTE text                     the message label lblMsg1 shows text
//   MOVE 転移魔法 | X v | Y v | Z v  the camp's teleport panel fraMove, the
//                                 field with the keyboard written "X> v"
//   CARD | name | line | …        the item card fraInspect of an appraised
//                                 item or of the encyclopedia's entry, or the
//                                 monster card fraMonster of the dictionary's
//                                 (lines as in the dump below)
//
// A dump, between the lines DUMP and END (rows two blanks in, with "> " on
// the selected one; row texts exactly as shown, trailing blanks included):
//   clock HH:MM:SS +MSms       the time of day; engine time since start-up
//   title-window VERSION STATUS  only while the title window shows
//   title TEXT                 the main window's title
//   panel NAME [CAPTION] LIST  each visible panel in drawing order; LIST is
//                              "-" for a panel without a list; " disabled"
//                              follows for a disabled one
//     > ROW / ROW              its rows
//     label NAME: TEXT         its visible labels that hold text (the chest
//                              panel fraTreasure / lstTreasure shows the trap
//                              name found as "label lblTreasure: NAME" for
//                              the two seconds of tmrTreasure, the panel
//                              then "disabled")
//   help: TEXT                 lblMsg, when visible ("help centred: TEXT")
//   move: TEXT                 lblMove, when visible
//   picture: PATH              the monster picture, when shown
//   draw X,Y: TEXT             each text item of the drawing
//   draw centred X,Y: TEXT     a text centred on X whose top lies two lines
//                              above Y (the maze's darkness)
//   maze floor F x X y Y facing N|E|S|W turns T
//                              while the party is in the maze: where it
//                              stands and its turns on the spot; the command
//                              label and the movement arrow are the help:
//                              and move: lines above, when shown; then
//   view N                     the N primitives of the drawing, in order:
//     line X1,Y1 X2,Y2         a line (logical 220 x 220 units)
//     rect X1,Y1 X2,Y2         a filled rectangle, corner to corner
//     text X,Y: TEXT           a text
//     text centred X,Y: TEXT   a text centred as the draw centred line says
//   battle encounter E round R asking P
//                              while a battle is on: the encounter, the
//                              rounds begun, the party position whose order
//                              is asked (above the party size: all are in);
//                              then two blanks in
//     group G monster M living N: LINE   each group of the monster list, in
//                              list order, with its line as shown
//     order P code C target T spell S item I   each order given so far
//   The astrology office's fusion list and its list of a member's items
//   for an artificial human are the frameless panel lstItem (a recipe row
//   not yet open reads "？？？？？？？？？？"); the prompt line above it is the
//   panel lbl.
//   keyboard LIST              the list that owns the keyboard (the panel's
//                              name when it has no list), or "none"
//   wizard STEP NAME           while the creation wizard runs: its step (race,
//                              alignment, sex, distribution, confirmation)
//                              and the name typed, then
//     race R alignment A sex S class C   the codes chosen so far (0: none yet)
//     points ROLLED LEFT       the bonus points rolled and those left
//     values V V V V V V       strength .. luck as distributed
//     minimum V V V V V V      what they may not fall below
//   prompt ...                 each open prompt, outermost first:
//     prompt MSG|ASK|INPUT [title] text    (" (second box)" when it is)
//       input: TEXT                        a text box's current text
//     prompt PICK prompt / prompt PICK [mode N], its rows as above, and
//       side [CAPTION] with the side list's rows for the wide picker
//     prompt FILE pattern
//     prompt RANK heading, its rows as above
//     prompt HISTORY, its lines as rows (the one the keys are on "> ")
//     prompt STATUS caption, then:
//       sheet: LINE                        each line of the character sheet
//                                          that holds text
//       lstCommand, its rows as above
//       lstItem, or lstItem [title] prompt while an item is picked, its rows
//       lstEQ [CAPTION] and its rows       while equipping
//       fraSpell SCHOOL and its lines      for both schools while the book
//                                          is open (four blanks in)
//       fraMove [転移魔法] HELP, then txtXMove: V, txtYMove: V, txtZMove: V
//                                          (the one with the keyboard "> ")
//                                          while the teleport panel is open
//       fraInspect and its lines           while an item card is shown: the
//                                          name, "種族:", "職業:", "性別＆属性:"
//                                          with the marks shown, "装備１: …",
//                                          "装備２: …" (four blanks in)
//       fraMonster and its lines           while a monster card is shown: the
//                                          name, "不確定名: NAME", the nine
//                                          value lines as shown ("出現数　　　
//                                          １Ｄ３+０" .. "運　　　　　７"),
//                                          "特殊攻撃:" and "防御:" with their
//                                          entries (four blanks in)
//       lblMsg1: TEXT                      when it holds text
//       keyboard lstCommand|lstItem|lstEQ|fraSpell|fraMove|fraInspect|fraMonster

#include <cstddef>
#include <cstdint>
#include <functional>
#include <iosfwd>
#include <memory>
#include <optional>
#include <string>

namespace qvr {

class Game;
class SaveStore;

inline constexpr std::size_t kMaxScriptLineBytes = 64 * 1024;
// A day of game time; longer waits are refused rather than firing the
// one-second music timer millions of times.
inline constexpr int64_t kMaxWaitMs = 24LL * 3600 * 1000;

struct ScriptOptions {
    std::string gameDir; // empty: $QVR_HOME, else the executable's folder
    std::optional<uint64_t> seed;
    double timeOfDay = 12 * 3600; // seconds since midnight
    bool timeGiven = false;       // --time was given: it wins over a start line
    std::string scriptName = "-"; // names the script in messages
    bool fromBackup = false;      // start from QVR1.BAK when QVR1.DAT will not load
    // Where the game's files live instead of the game folder (gameDir is then
    // not used): the fuzzers play from a store in memory.
    std::function<std::unique_ptr<SaveStore>()> makeStore;
};

// Reads the command line (without argv[0]); on a mistake writes the usage
// to `err` and gives nullopt.
std::optional<ScriptOptions> ParseScriptArguments(int argc, const char* const* argv,
                                                  std::ostream& err);

// Opens the game folder, starts the game and plays the script; returns the
// exit status.
int RunScript(std::istream& script, const ScriptOptions& options, std::ostream& out,
              std::ostream& err);
// The same with a game the caller built; its music player is kept (tests
// give it one that reports the ends of tracks). Every other service is the
// runner's, and the prompter, observer and folder lock are gone afterwards.
int RunScript(Game& game, std::istream& script, const ScriptOptions& options, std::ostream& out,
              std::ostream& err);

// The dice and the clock of a game played in the window for a recording
// (qvr --record): dice from `seed`, and a clock that starts at the game
// clock's present whole second and moves only with the engine's time, as the
// runner's does. Returns that start, seconds since midnight.
double UseRecordedDiceAndClock(Game& game, uint64_t seed);

// The whole program: arguments, the script file or `in` for "-", the run.
int ScriptMain(int argc, const char* const* argv, std::istream& in, std::ostream& out,
               std::ostream& err);

} // namespace qvr
