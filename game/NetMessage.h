#pragma once

// The LAN protocol between two copies of the game, UDP port 6868.
//
// Every datagram is either a text message or a data block. A text message is
// the bytes of its text (one byte a character, no terminator, no length
// field) and is recognised by a marker found anywhere in it:
//
//   "SYS$$Present: " + player name   a creator's lobby, every second, to each
//                                    subnet broadcast address it knows
//   "SYS$$Joined :Quibby"            the joiner, once, to the creator (the
//                                    blank before the colon and the fixed word
//                                    are part of the contract)
//   "SYS$$Info:"                     announces the fleet block that follows
//   "SYS$$Field:"                    announces the grid block that follows
//   "SYS$$Move:" R C                 a shot: characters 11-12 the row, 13-14
//                                    the column, decimal, blank-padded on the
//                                    right to two characters ("3 7 ", "1010")
//   "SYS$$Exit:"                     the player left a running match
//
// At the start of a match each side sends "SYS$$Info:", its 600-byte fleet
// block, "SYS$$Field:", its 100-byte grid block (FleetBlock.h), in that order.
// From then on only shots travel; both sides resolve every shot locally on the
// same grids. No acknowledgements, sequence numbers or retransmissions: the
// protocol assumes each datagram arrives once and in order. The creator
// shoots first.

#include "game/GameText.h"
#include "game/GameTypes.h"
#include "game/Ship.h"

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace vtx::net {

inline constexpr std::uint16_t GamePort = 6868;

inline constexpr std::string_view PresentMarker = "SYS$$Present:";
inline constexpr std::string_view JoinedMarker = "SYS$$Joined :";
inline constexpr std::string_view InfoMarker = "SYS$$Info:";
inline constexpr std::string_view FieldMarker = "SYS$$Field:";
inline constexpr std::string_view MoveMarker = "SYS$$Move:";
inline constexpr std::string_view ExitMarker = "SYS$$Exit:";

inline constexpr std::string_view JoinRequest = "SYS$$Joined :Quibby";
inline constexpr std::string_view OpponentLeftText = VTX_TEXT("GameTexts", "Opponent left the game!");
// An extended match's opponent fell silent (NetChannel).
inline constexpr std::string_view OpponentGoneText = VTX_TEXT("GameTexts", "No answer from the opponent!");
// The status line while an extended match's link is in trouble (NetChannel).
inline constexpr std::string_view JoiningText = VTX_TEXT("GameTexts", "Joining the game...");
inline constexpr std::string_view WaitingForFleetText =
    VTX_TEXT("GameTexts", "Waiting for the opponent's fleet...");
inline constexpr std::string_view WaitingForComputerText =
    VTX_TEXT("GameTexts", "Waiting for the opponent's computer...");

// "SYS$$Present: " followed by the name.
std::string presenceMessage(std::string_view playerName);
// "SYS$$Move:" + padStr(row, 2) + padStr(column, 2); 14 bytes for cells of
// the grid.
std::string moveMessage(std::int32_t row, std::int32_t column);

struct MoveCell {
    std::int32_t row = 0;
    std::int32_t column = 0;
};
// The cell of a shot message: characters 11-12 and 13-14 of the text, each
// trimmed of blanks and read as a decimal integer. Nothing when either is not
// a number or lies outside 1..10: such a shot is dropped, never applied.
std::optional<MoveCell> parseMove(std::string_view text);

// Why a received fleet is not a legal fresh fleet (ship n has size
// ShipSizes[n-1], afloat, decks intact, consecutive along its direction,
// inside the grid, no two ships on or next to each other's cells, not even
// at a corner); empty when it is.
std::string fleetProblem(const Fleet& fleet);
// Why a received grid does not belong to a legal fleet: only '0', '1', '2'
// and the '1' cells exactly the fleet's decks; empty when it does.
std::string fieldProblem(const Field& field, const Fleet& fleet);

} // namespace vtx::net
