#pragma once
// The defended run's hand on the mouse, as a player's: capsules on the screen
// are clicked and their cards set down on a cell; on the episode finals
// (where robots may be picked up and set down again) robots are carried out
// of a Destroyer hand's aim, the lunge's reach, the band its volley will
// sweep and a ripe Time Bomb's blast, and a shooter goes where its shots
// guard the rows better. It reads the battle as the screen shows it and acts
// only through the frame's input record.
class CBattleModel;
class CCom_GameRobot;
struct InputRecord;

class DefenceMouse {
public:
    // One frame: sets the cursor and the buttons of the frame's input.
    void Play(const CBattleModel& model, InputRecord& in);

    // The rows (bit r for row r) the Destroyer's volley sweeps or is about
    // to sweep; 0 when none comes.
    static unsigned VolleyRows(const CBattleModel& model);
    // Whether the robot stands where the boss's lunge kills it.
    static bool InLungeReach(const CCom_GameRobot& robot);

private:
    // A cell is numbered column x 5 + row; -1 is none.
    int SafeCell(const CBattleModel& model, const CCom_GameRobot& robot, unsigned rows, bool coverFirst) const;
    bool CarryOn(const CBattleModel& model, InputRecord& in);
    // Presses on the robot to carry it to the cell.
    bool StartMove(InputRecord& in, const CCom_GameRobot& robot, int cell);
    bool Dodge(const CBattleModel& model, InputRecord& in);
    bool CoverRows(const CBattleModel& model, InputRecord& in);
    void TakeCapsules(const CBattleModel& model, InputRecord& in);
    int CapsuleCell(const CBattleModel& model, int slot) const;

    bool m_bReleaseDue = false;  // a click lets the button go next frame
    int m_iLifted = -1;          // serial of the robot pressed on, -1 none
    int m_iTo = -1;              // the cell it is carried to
    int m_iCarried = 0;          // frames it has been carried
    int m_iRest = 0;             // frames until the hand moves a robot again
    int m_iLooks = 0;            // frames the hand was free to look the rows over
};
