<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="pl">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Ty</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>Twoja kolej!</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Kolej wroga</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Wróg</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Strzały</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Trafienia</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>Pudła</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Czat: Enter wysyła, Esc zamyka</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Czat</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>Program przeciwnika nie obsługuje czatu.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>Twój ruch</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Ruch przeciwnika</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>Pudło!</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>Komputer trafił!!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>Komputer spudłował!!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>Gotowe do gry!</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>Flota rozstawiona!</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>Przeciwnik opuścił grę!</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>ZWYCIĘSTWO!</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>PORAŻKA!</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>Przeciwnik nie odpowiada!</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Dołączanie do gry...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>Czekam na flotę przeciwnika...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>Czekam na komputer przeciwnika...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Enter stawia, R obraca, strzałki ruszają</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Lewy klik stawia, prawy klik obraca</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>Nie pasuje: poza planszą!</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>Nie pasuje: tam stoi inny statek!</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>Nie pasuje: statki nie mogą się stykać!</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>Ustaw całą flotę! Został %n statek.</numerusform>
            <numerusform>Ustaw całą flotę! Zostały %n statki.</numerusform>
            <numerusform>Ustaw całą flotę! Zostało %n statków.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Już tu strzelano: strzał na marne</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>Jeszcze raz? Ctrl+N lub przycisk Jeszcze raz.</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>Przeciwnik chce zagrać jeszcze raz.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>Czekam na odpowiedź przeciwnika...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>Przeciwnik nie chce grać dalej.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Jeszcze raz</translation>
    </message>
</context>
<context>
    <name>QShortcut</name>
    <message>
        <source>Ctrl</source>
        <translation>Ctrl</translation>
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
        <translation>Łatwy</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normalny</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Trudny</translation>
    </message>
    <message>
        <source>Computer, %1</source>
        <translation>Komputer, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>Gracz LAN</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Wygrana</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Przegrana</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Przerwana</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Zamknięta</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Brak odpowiedzi</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Wróg wyszedł</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, ucięty</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Strzały: %1</translation>
    </message>
</context>
<context>
    <name>ReplayViewer</name>
    <message>
        <source>Replay: %1, %2</source>
        <translation>Powtórka: %1, %2</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>pauza</translation>
    </message>
    <message>
        <source>Space: pause or play
Left, Right: one shot back or on
Home, End: the first or the last shot
1, 2, 3: speed x1, x4, x16
H: the whole enemy fleet
Esc: back to the menu</source>
        <translation>Spacja: pauza lub dalej
Lewo, Prawo: strzał wstecz lub naprzód
Home, End: pierwszy lub ostatni strzał
1, 2, 3: tempo x1, x4, x16
H: cała flota wroga
Esc: powrót do menu</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Uwaga</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>Nie można uruchomić sieci!</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Sieć</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Utwórz</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Dołącz</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Anuluj</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>Pierwsze uruchomienie gry
Trwa sprawdzanie sieci, proszę czekać
To potrwa 1-2 min...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>Lokalne IP: %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>Oczekiwanie na połączenie...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>Oczekiwanie na przeciwnika...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>Brak gry, do której można dołączyć!</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Używa niezawodnego protokołu sieciowego Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Nazwa hosta lub adres IP</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Dodaj ten komputer i zapytaj go o grę</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Usuń ten komputer z listy</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>Nie można zapisać listy komputerów!</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Żaden komputer nie jest znany jako „%1”.</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>Tu pojawiają się gry utworzone w twojej sieci.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>czekaj na kolegę</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>zagraj w wybraną</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Pytam %1 o grę...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>Pod %1 nie odpowiedziała żadna gra.
Pytam ponownie co 2 sekundy.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>To za długie na nazwę
lub adres komputera.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>To nie jest adres
ani nazwa komputera.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>Gra działa tylko przez IPv4:
wpisz adres taki jak 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Ten adres obejmuje całą sieć,
a nie jeden komputer.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>To własny adres tego komputera.</translation>
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
        <translation>Sieć</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Walka</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Wyniki</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Wyjście</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>Sieć jest niedostępna na tym komputerze!</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>Port UDP %1 jest zajęty:
%2
Żadna odpowiedź nie dotrze do tej gry.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Powrót na mostek: widok początkowy plansz</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>Opuścić tę grę?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>MOSTEK</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>Nie można odtworzyć muzyki:
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>Zakończyć Vortalix 3D?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Wiadomość</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Tak</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Nie</translation>
    </message>
</context>
<context>
    <name>vtx::MusicPlayer</name>
    <message>
        <source>Audio device hasn&apos;t been opened</source>
        <translation>Urządzenie dźwiękowe nie zostało otwarte</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>Nie można otworzyć pliku utworu: %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>Plik utworu nie jest plikiem MIDI</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>Żaden utwór nie jest otwarty</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>Brak komunikatu</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Informacja</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Opcje</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Gracz:</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Ręczne rozstawianie statków</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Dźwięk WŁ./WYŁ.</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Muzyka WŁ./WYŁ.</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Poziom:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Łatwy</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Normalny</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Trudny</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>Nie zapisano opcji!</translation>
    </message>
    <message>
        <source>Admiral</source>
        <translation>Admirał</translation>
    </message>
</context>
<context>
    <name>vtx::ScoresWindow</name>
    <message>
        <source>HighScores</source>
        <translation>Najlepsze wyniki</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Zapisz</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Zamknij</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>Nie zapisano najlepszych wyników!</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Brak wyników.
Wygraj grę, aby trafić do tabeli.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Brak zapisanych meczów.
Każdy rozegrany mecz trafia tutaj.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Obejrzyj</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Mecze</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Najlepsze</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>nieczytelny</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Oglądanie z menu, gdy nie trwa mecz.</translation>
    </message>
    <message>
        <source>Last Matches</source>
        <translation>Ostatnie mecze</translation>
    </message>
</context>
<context>
    <name>vtx::SoundSystem</name>
    <message>
        <source>SDL2_mixer version %1.%2.%3 was not loaded</source>
        <translation>Nie wczytano SDL2_mixer w wersji %1.%2.%3</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>Nie można uruchomić cyfrowego systemu dźwięku</translation>
    </message>
</context>
</TS>
