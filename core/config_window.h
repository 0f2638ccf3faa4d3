#pragma once

// The settings window frmConfig: which sound file plays for each track, and
// which picture shows for each monster the party has defeated. Everything is
// edited in working copies; only OK writes QVR.ini and changes the game.

#include <array>
#include <string>
#include <vector>

#include "core/modal_window.h"
#include "core/music.h"

namespace qvr {

class Game;

class ConfigWindow final : public ModalWindow {
  public:
    static constexpr WindowKind kKind = WindowKind::Settings;
    WindowKind kind() const override { return kKind; }

    static constexpr const char* kTitle = "設定";
    static constexpr const char* kTrackLabel = "ＢＧＭの選択(&B)";     // over cboBGM
    static constexpr const char* kTrackFileLabel = "ファイル名(&F)";   // over txtFile
    static constexpr const char* kPictureListLabel = "画像(&P)";       // over lst
    static constexpr const char* kPictureFileLabel = "ファイル名(&M)"; // over txtName
    static constexpr const char* kNote = "ここだけマウスオペレーションですまん(^^;";
    static constexpr const char* kBattleDelayLabel = "戦闘メッセージ(&S)";
    static constexpr const char* kBrowseTrackText = "参照(&B)";
    static constexpr const char* kBrowsePictureText = "参照(&R)";
    static constexpr const char* kOkText = "OK";
    static constexpr const char* kCancelText = "キャンセル";

    // The file chooser frmFileOpen, shared by both browse buttons.
    static constexpr const char* kChooserTitle = "ファイル読み込み";
    static constexpr const char* kChooserPrompt = "ファイルを選んでください";
    static constexpr const char* kMusicPattern = "*.mid;*.wav;*.ogg;*.mp3";
    static constexpr const char* kPicturePattern = "*.bmp;*.jpg;*.gif";

    // One line of the monster list: a name as battle shows it, and the
    // picture file being edited for it.
    struct PictureLine {
        int monster = 0; // the first monster number of that name
        std::string name;
        std::string file;
    };

    // Opens the window: the tracks as the game has them, track 1 selected,
    // no monster selected; pictures as QVR.ini has them (a file that cannot
    // be read lists no pictures and says why in warnings()).
    explicit ConfigWindow(const Game& game);

    int selectedTrack() const { return selectedTrack_; }
    const std::string& trackFile() const { return workingTrackFile(selectedTrack_); }
    const std::string& workingTrackFile(int track) const;

    const std::vector<PictureLine>& pictures() const { return pictures_; }
    int selectedMonster() const { return selectedMonster_; } // a line of pictures(); -1: none
    // txtName: the selected line's picture file, empty when none is selected.
    const std::string& pictureFile() const;

    const std::vector<std::string>& warnings() const { return warnings_; }
    bool accepted() const { return accepted_; }

    // The window is worked with the mouse; Escape cancels, as its frame's
    // close button does.
    void pressKey(Game& game, Key key) override;

    void selectTrack(int track); // 1..19
    void setTrackFile(const std::string& text);
    // Runs the file chooser; a cancelled chooser changes nothing.
    void browseTrackFile(Game& game);

    // The battle message speed (message_speed.h): the delay in
    // milliseconds after which a narration box closes, 0 for a key.
    int battleDelay() const { return battleDelay_; }
    void setBattleDelay(int ms);

    void selectMonster(int line); // -1 clears the selection
    // Both do nothing while no monster is selected (the front end disables
    // the field and its button then).
    void setPictureFile(const std::string& text);
    void browsePictureFile(Game& game);

    // Writes every track, every listed monster's picture and the battle
    // message speed into QVR.ini and gives the game the new tracks and
    // speed; the track playing now carries on.
    // When the file cannot be written (or a path cannot be written in it)
    // this throws GameError, the game and the file stay as they were and
    // the window stays open with its edits.
    void ok(Game& game);
    void cancel();

  private:
    std::array<std::string, kTrackCount + 1> tracks_{}; // 1..19
    int selectedTrack_ = 1;
    int battleDelay_ = 0;
    std::vector<PictureLine> pictures_;
    int selectedMonster_ = -1;
    std::vector<std::string> warnings_;
    bool accepted_ = false;
};

} // namespace qvr
