#pragma once
// How each picture of the pack is drawn. A manifest line may name its style
// ("art:panel ..." at the start of its label); otherwise the kind and the path
// choose one, so a new line gets the look of its neighbours:
//
//   button      kind button: a pill with the label, four lit states
//   unit        kind unit: the unit's figure, animated per act
//   digits      kind digits: brass digits centred in their cells
//   panel       message boxes, large boards
//   band        text bands ("TextBG")          header   title ribbons ("Header")
//   strips      slider trough and fill rows; a row the label names is a lettered
//               notice (the wave notices)       bar      gauge frame or fill
//   plaque      HUD counters, signs, labels    atlas    label plates over a time bar
//   icon        heart, energy, flag, arrow, star, stone, mark, cross, spike, capsule
//   rays        turning light rays
//   glow        soft highlight behind a button; the card choice's lettered
//               buttons ("Btn_Light*") and the scroll arrows
//   card        a unit's card: figure and cost area   cardframe  card frames and glows
//   portrait    a unit's encyclopedia picture  medal    achievement badges
//   item        energy orbs, metal parts, capsules
//   shot        weapon projectiles (TGA: their glow)
//   effect      hits, glows, smoke, rings, bursts, spinners (default in Effect/)
//   propeller   rotor frames                  count    big countdown digit
//   banner      game-text strips              splash   title picture
//   loading     progress strip                background  a world's parallax picture
//   tile        ground tiles of a world        water    a world's water strip
//   decor       ornaments laid over a board's side (mostly transparent)
//   shade       a dimming veil, darker toward the edges
//   story       a reading board's scene: world, a Tinkerling facing Machines, title
//   logo        a name lettered on a gear emblem ("Logo_Name" -> Name; else the game's)
//   menuframe   the menu screens' frame: wide left rail, thin right rail, see-through opening
//   picframe    a frame laid over a menu picture: a rim round a see-through window
//   labitem     a laboratory item on a round badge (booster, upgrade or robot card)
//   stamp       the sold-out stamp, with its words    menuicon  the profile screen's icons
//   feature     an opened feature's badge on the unlock board
//   minigamecard  a mini-game's list button: its world and its name
//   capsule     the reward capsule's opening shutter (frame 1 shut, 10 open)
//   fish        a fish of the underwater stages, head left, its tail beating over the frames
//   bossarm     a Destroyer's arm: shoulder left, clamp right, pistons working over the frames
//   bosshand    a Destroyer's giant hand, reaching to the lower right, closing over the frames
//   ending      an episode's ending, a wide scene panned from left to right
//
// A picture that matches no style is refused: the pack names the line.
#include <string>
#include <vector>

#include "tools/assetpack/Canvas.h"
#include "tools/assetpack/Manifest.h"

// Empty when nothing matches, or the line names a style that does not exist.
std::string ArtStyleFor(const ManifestItem& item, const std::string& path);
bool IsKnownArtStyle(const std::string& style);
// Whether the kind's files are drawn in an art style.
bool DrawsArt(const ManifestItem& item);
// One message per drawn file that has no style, naming its line and path.
std::vector<std::string> UnstyledEntries(const std::vector<ManifestItem>& items);

// The picture of one pack file (picture, button, digits or unit kinds).
Canvas DrawArt(const ManifestItem& item, const PackFile& file, TextRenderer& text);
