<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="de">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Du</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>Dein Zug: Feuer!</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Zug des Gegners</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Feind</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Schüsse</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Treffer</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>Daneben</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Chat: Enter sendet, Esc schließt</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Chat</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>Das Programm des Gegners kann nicht chatten.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>Dein Zug</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Zug des Gegners</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>Daneben!</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>Computer trifft!!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>Computer daneben!!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>Bereit zum Spiel!</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>Flotte aufgestellt!</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>Der Gegner hat das Spiel verlassen!</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>DU HAST GEWONNEN!</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>DU HAST VERLOREN!</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>Der Gegner antwortet nicht mehr!</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Verbinde mit dem Spiel...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>Warte auf die gegnerische Flotte...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>Warte auf den Rechner des Gegners...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Enter setzt, R dreht, Pfeile bewegen</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Linksklick setzt, Rechtsklick dreht</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>Passt nicht: außerhalb des Felds!</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>Passt nicht: dort liegt schon ein Schiff!</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>Passt nicht: Schiffe berühren sich!</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>Erst alle Schiffe setzen! Noch %n Schiff.</numerusform>
            <numerusform>Erst alle Schiffe setzen! Noch %n Schiffe.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Schon beschossen: Schuss verschenkt</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>Noch einmal? Strg+N oder die Taste Nochmal.</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>Der Gegner möchte noch einmal spielen.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>Warte auf die Antwort des Gegners...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>Der Gegner möchte nicht noch einmal spielen.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Nochmal</translation>
    </message>
</context>
<context>
    <name>QShortcut</name>
    <message>
        <source>Ctrl</source>
        <translation>Strg</translation>
    </message>
    <message>
        <source>Esc</source>
        <translation>Esc</translation>
    </message>
</context>
<context>
    <name>ReplayTexts</name>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Computer, %1</source>
        <translation>Computer, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>LAN-Spieler</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Gewonnen</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Verloren</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Verlassen</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Geschlossen</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Keine Antwort</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Gegner ging</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, gekürzt</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Schüsse: %1</translation>
    </message>
</context>
<context>
    <name>ReplayViewer</name>
    <message>
        <source>Replay: %1, %2</source>
        <translation>Wiederholung: %1, %2</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>Pause</translation>
    </message>
    <message>
        <source>Space: pause or play
Left, Right: one shot back or on
Home, End: the first or the last shot
1, 2, 3: speed x1, x4, x16
H: the whole enemy fleet
Esc: back to the menu</source>
        <translation>Leertaste: Pause oder weiter
Links, Rechts: einen Schuss zurück oder vor
Pos1, Ende: erster oder letzter Schuss
1, 2, 3: Tempo x1, x4, x16
H: die ganze feindliche Flotte
Esc: zurück zum Menü</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Achtung</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>Das Netzwerk lässt sich nicht starten!</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Erstellen</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Beitreten</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Abbrechen</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>Das Spiel läuft zum ersten Mal
Bitte warten, das Netzwerk wird geprüft
Das dauert 1-2 Minuten...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>Lokale IP: %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>Warte auf Verbindung...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>Warte auf den Gegner...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>Es gibt kein Spiel zum Beitreten!</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Spielt das zuverlässige LAN-Protokoll von Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Rechnername oder IP-Adresse</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Diesen Computer hinzufügen und nach seinem Spiel fragen</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Diesen Computer aus der Liste entfernen</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>Die Liste der Computer kann nicht gespeichert werden!</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Kein Computer ist als „%1“ bekannt.</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>Im Netzwerk erstellte Spiele erscheinen hier.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>auf Freund warten</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>Spiel mitspielen</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Frage %1 nach seinem Spiel...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>Bei %1 hat kein Spiel geantwortet.
Es wird alle 2 Sekunden erneut gefragt.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>Das ist zu lang für den Namen
oder die Adresse eines Computers.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>Das ist weder eine Adresse
noch ein Computername.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>Das Spiel läuft nur über IPv4:
z. B. eine Adresse wie 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Diese Adresse erreicht ein ganzes
Netz, nicht einen Computer.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>Das ist die Adresse dieses Computers.</translation>
    </message>
</context>
<context>
    <name>vtx::MainWindow</name>
    <message>
        <source>Single</source>
        <translation>Solo</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Netzwerk</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Kampf</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Rekorde</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Ende</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>Auf diesem PC ist kein Netzwerk verfügbar!</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>UDP-Port %1 ist belegt:
%2
Das Spiel hört keine Antworten.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Zurück zur Brücke: die erste Ansicht der Spielfelder</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>Dieses Spiel verlassen?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>BRÜCKE</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>Die Musik kann nicht gespielt werden:
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>Vortalix 3D beenden?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Nachricht</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Ja</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nein</translation>
    </message>
</context>
<context>
    <name>vtx::MusicPlayer</name>
    <message>
        <source>Audio device hasn&apos;t been opened</source>
        <translation>Das Audiogerät ist nicht geöffnet</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>Die Musikdatei lässt sich nicht öffnen: %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>Die Musikdatei ist keine MIDI-Datei</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>Kein Musikstück ist geöffnet</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>Keine Meldung vorhanden</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Information</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Optionen</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Spieler:</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Schiffe selbst aufstellen</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Effekte AN/AUS</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Musik AN/AUS</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Stufe:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Leicht</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normal</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Schwer</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>Die Optionen wurden nicht gespeichert!</translation>
    </message>
    <message>
        <source>Admiral</source>
        <translation>Admiral</translation>
    </message>
</context>
<context>
    <name>vtx::ScoresWindow</name>
    <message>
        <source>HighScores</source>
        <translation>Bestenliste</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Speichern</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Schließen</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>Die Bestenliste wurde nicht gespeichert!</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Noch keine Ergebnisse.
Gewinne ein Spiel, um in die Tabelle zu kommen.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Noch keine Partie gespeichert.
Jede gespielte Partie wird hier aufbewahrt.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Ansehen</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Partien</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Beste</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>unlesbar</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Ansehen im Menü, wenn keine Partie läuft.</translation>
    </message>
    <message>
        <source>Last Matches</source>
        <translation>Letzte Partien</translation>
    </message>
</context>
<context>
    <name>vtx::SoundSystem</name>
    <message>
        <source>SDL2_mixer version %1.%2.%3 was not loaded</source>
        <translation>SDL2_mixer Version %1.%2.%3 wurde nicht geladen</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>Das digitale Soundsystem lässt sich nicht starten</translation>
    </message>
</context>
</TS>
