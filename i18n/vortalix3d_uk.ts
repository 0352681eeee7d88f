<?xml version="1.0" encoding="utf-8"?>
<!DOCTYPE TS>
<TS version="2.1" language="uk">
<context>
    <name>BattleHud</name>
    <message>
        <source>You</source>
        <translation>Ви</translation>
    </message>
    <message>
        <source>Your turn: shoot!</source>
        <translation>Ваш хід: вогонь!</translation>
    </message>
    <message>
        <source>Enemy&apos;s turn</source>
        <translation>Хід супротивника</translation>
    </message>
    <message>
        <source>Foe</source>
        <translation>Ворог</translation>
    </message>
    <message>
        <source>Shots</source>
        <translation>Постріли</translation>
    </message>
    <message>
        <source>Hits</source>
        <translation>Влучання</translation>
    </message>
    <message>
        <source>Misses</source>
        <translation>Промахи</translation>
    </message>
</context>
<context>
    <name>ChatPanel</name>
    <message>
        <source>Chat: Enter sends, Esc closes</source>
        <translation>Чат: Enter — надіслати, Esc — закрити</translation>
    </message>
    <message>
        <source>Chat</source>
        <translation>Чат</translation>
    </message>
    <message>
        <source>The opponent&apos;s program cannot chat.</source>
        <translation>Програма суперника не вміє спілкуватися в чаті.</translation>
    </message>
</context>
<context>
    <name>GameTexts</name>
    <message>
        <source>Player Move</source>
        <translation>Ваш хід</translation>
    </message>
    <message>
        <source>Enemy Move</source>
        <translation>Хід супротивника</translation>
    </message>
    <message>
        <source>Missed!</source>
        <translation>Мимо!</translation>
    </message>
    <message>
        <source>Computer Hit!!!</source>
        <translation>Комп&apos;ютер влучив!!!</translation>
    </message>
    <message>
        <source>Computer Missed!!!</source>
        <translation>Комп&apos;ютер схибив!!!</translation>
    </message>
    <message>
        <source>Ready to Play!</source>
        <translation>Готові до гри!</translation>
    </message>
    <message>
        <source>Ships Arrangement Complete!</source>
        <translation>Флот розставлено!</translation>
    </message>
    <message>
        <source>Opponent left the game!</source>
        <translation>Супротивник залишив гру!</translation>
    </message>
    <message>
        <source>YOU WON THE GAME!</source>
        <translation>ВИ ПЕРЕМОГЛИ!</translation>
    </message>
    <message>
        <source>YOU LOST THE GAME!</source>
        <translation>ВИ ПРОГРАЛИ!</translation>
    </message>
    <message>
        <source>No answer from the opponent!</source>
        <translation>Суперник не відповідає!</translation>
    </message>
    <message>
        <source>Joining the game...</source>
        <translation>Підключення до гри...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s fleet...</source>
        <translation>Чекаємо на флот суперника...</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s computer...</source>
        <translation>Чекаємо на комп&apos;ютер суперника...</translation>
    </message>
    <message>
        <source>Enter places, R turns, arrows move</source>
        <translation>Enter ставить, R обертає, стрілки — рух</translation>
    </message>
    <message>
        <source>Left click places, right click turns</source>
        <translation>Лівий клік ставить, правий повертає</translation>
    </message>
    <message>
        <source>Does not fit: off the board!</source>
        <translation>Не вміщується: за краєм поля!</translation>
    </message>
    <message>
        <source>Does not fit: another ship is there!</source>
        <translation>Не вміщується: там інший корабель!</translation>
    </message>
    <message>
        <source>Does not fit: ships may not touch!</source>
        <translation>Не вміщується: кораблі торкаються!</translation>
    </message>
    <message numerus="yes">
        <source>Place all ten ships first! %n ship(s) left.</source>
        <translation>
            <numerusform>Розставте флот! Лишився %n корабель.</numerusform>
            <numerusform>Розставте флот! Лишилося %n кораблі.</numerusform>
            <numerusform>Розставте флот! Лишилося %n кораблів.</numerusform>
        </translation>
    </message>
    <message>
        <source>Already fired at: a shot here is wasted</source>
        <translation>Сюди вже стріляли: постріл марний</translation>
    </message>
</context>
<context>
    <name>PlayAgain</name>
    <message>
        <source>Play again? Ctrl+N or the Play again button.</source>
        <translation>Ще раз? Ctrl+N або кнопка «Ще раз».</translation>
    </message>
    <message>
        <source>The opponent wants to play again.</source>
        <translation>Суперник хоче зіграти ще раз.</translation>
    </message>
    <message>
        <source>Waiting for the opponent&apos;s answer...</source>
        <translation>Чекаємо на відповідь суперника...</translation>
    </message>
    <message>
        <source>The opponent does not want to play again.</source>
        <translation>Суперник не хоче грати ще раз.</translation>
    </message>
    <message>
        <source>Play again</source>
        <translation>Ще раз</translation>
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
        <translation>Легкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Середній</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Важкий</translation>
    </message>
    <message>
        <source>Computer, %1</source>
        <translation>Комп&apos;ютер, %1</translation>
    </message>
    <message>
        <source>LAN player</source>
        <translation>Гравець LAN</translation>
    </message>
    <message>
        <source>Won</source>
        <translation>Перемога</translation>
    </message>
    <message>
        <source>Lost</source>
        <translation>Поразка</translation>
    </message>
    <message>
        <source>Left</source>
        <translation>Перервано</translation>
    </message>
    <message>
        <source>Closed</source>
        <translation>Закрито</translation>
    </message>
    <message>
        <source>No answer</source>
        <translation>Немає відповіді</translation>
    </message>
    <message>
        <source>Foe left</source>
        <translation>Ворог пішов</translation>
    </message>
    <message>
        <source>%1, cut</source>
        <translation>%1, обрізано</translation>
    </message>
    <message>
        <source>Shots: %1</source>
        <translation>Постріли: %1</translation>
    </message>
</context>
<context>
    <name>ReplayViewer</name>
    <message>
        <source>Replay: %1, %2</source>
        <translation>Повтор: %1, %2</translation>
    </message>
    <message>
        <source>paused</source>
        <translation>пауза</translation>
    </message>
    <message>
        <source>Space: pause or play
Left, Right: one shot back or on
Home, End: the first or the last shot
1, 2, 3: speed x1, x4, x16
H: the whole enemy fleet
Esc: back to the menu</source>
        <translation>Пробіл: пауза або далі
Ліворуч, Праворуч: постріл назад або вперед
Home, End: перший або останній постріл
1, 2, 3: швидкість x1, x4, x16
H: увесь ворожий флот
Esc: назад до меню</translation>
    </message>
</context>
<context>
    <name>vtx::LobbyWindow</name>
    <message>
        <source>Attention</source>
        <translation>Увага</translation>
    </message>
    <message>
        <source>Unable to Initialize Network!</source>
        <translation>Не вдалося запустити мережу!</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Мережа</translation>
    </message>
    <message>
        <source> Create</source>
        <translation>Створити</translation>
    </message>
    <message>
        <source>  Join</source>
        <translation>Увійти</translation>
    </message>
    <message>
        <source>Cancel</source>
        <translation>Скасувати</translation>
    </message>
    <message>
        <source>The game is running for a first time
Please wait while network is checking
It will take 1-2 min...</source>
        <translation>Перший запуск гри
Зачекайте, триває перевірка мережі
Це займе 1-2 хв...</translation>
    </message>
    <message>
        <source>Local IP: %1</source>
        <translation>Локальна IP: %1</translation>
    </message>
    <message>
        <source>Waiting for connect...</source>
        <translation>Очікування з&apos;єднання...</translation>
    </message>
    <message>
        <source>Waiting for Opponent...</source>
        <translation>Очікування супротивника...</translation>
    </message>
    <message>
        <source>There is no game to Join!</source>
        <translation>Немає гри для приєднання!</translation>
    </message>
    <message>
        <source>Plays the reliable LAN protocol of Vortalix 3D</source>
        <translation>Використовує надійний мережевий протокол Vortalix 3D</translation>
    </message>
    <message>
        <source>Host name or IP address</source>
        <translation>Ім’я комп’ютера або IP-адреса</translation>
    </message>
    <message>
        <source>Add this computer and ask it for its game</source>
        <translation>Додати цей комп’ютер і запитати його про гру</translation>
    </message>
    <message>
        <source>Remove this computer from the list</source>
        <translation>Прибрати цей комп’ютер зі списку</translation>
    </message>
    <message>
        <source>Unable to save the list of computers!</source>
        <translation>Не вдалося зберегти список комп’ютерів!</translation>
    </message>
    <message>
        <source>No computer is known as &quot;%1&quot;.</source>
        <translation>Комп’ютер «%1» не знайдено.</translation>
    </message>
    <message>
        <source>Games created on your network appear here.</source>
        <translation>Тут з’являються ігри, створені у вашій мережі.</translation>
    </message>
    <message>
        <source>wait for a friend</source>
        <translation>чекати на друга</translation>
    </message>
    <message>
        <source>play a listed game</source>
        <translation>грати в обрану</translation>
    </message>
    <message>
        <source>Asking %1 for its game...</source>
        <translation>Запит гри в %1...</translation>
    </message>
    <message>
        <source>No game answered at %1.
It is asked again every 2 seconds.</source>
        <translation>За адресою %1 жодна гра не відповіла.
Запит повторюється кожні 2 секунди.</translation>
    </message>
    <message>
        <source>That is too long for
a computer&apos;s name or address.</source>
        <translation>Задовго для імені
чи адреси комп&apos;ютера.</translation>
    </message>
    <message>
        <source>That is neither an address
nor a computer&apos;s name.</source>
        <translation>Це не адреса
і не ім&apos;я комп&apos;ютера.</translation>
    </message>
    <message>
        <source>The game plays over IPv4 only:
type an address like 192.168.1.7.</source>
        <translation>Гра працює лише через IPv4:
введіть адресу на зразок 192.168.1.7.</translation>
    </message>
    <message>
        <source>That address reaches a whole
network, not one computer.</source>
        <translation>Ця адреса охоплює всю мережу,
а не один комп&apos;ютер.</translation>
    </message>
    <message>
        <source>That is this computer&apos;s own address.</source>
        <translation>Це адреса самого цього комп&apos;ютера.</translation>
    </message>
</context>
<context>
    <name>vtx::MainWindow</name>
    <message>
        <source>Single</source>
        <translation>Соло</translation>
    </message>
    <message>
        <source>Network</source>
        <translation>Мережа</translation>
    </message>
    <message>
        <source>  Fight</source>
        <translation>Бій</translation>
    </message>
    <message>
        <source>Options</source>
        <translation>Опції</translation>
    </message>
    <message>
        <source>Scores</source>
        <translation>Рекорди</translation>
    </message>
    <message>
        <source>  Exit</source>
        <translation>Вихід</translation>
    </message>
    <message>
        <source>NetWork is unavailable on Your PC!</source>
        <translation>Мережа на вашому комп&apos;ютері недоступна!</translation>
    </message>
    <message>
        <source>UDP port %1 is busy:
%2
No answers can reach this game.</source>
        <translation>Порт UDP %1 зайнятий:
%2
Жодна відповідь не дійде до цієї гри.</translation>
    </message>
    <message>
        <source>Back to the bridge: the first view of the boards</source>
        <translation>Назад на місток: початковий вигляд полів</translation>
    </message>
    <message>
        <source>Leave this match?</source>
        <translation>Покинути цю гру?</translation>
    </message>
    <message>
        <source>BRIDGE</source>
        <translation>МІСТОК</translation>
    </message>
    <message>
        <source>The music cannot be played:
%1</source>
        <translation>Музику неможливо відтворити:
%1</translation>
    </message>
    <message>
        <source>Quit Vortalix 3D?</source>
        <translation>Вийти з Vortalix 3D?</translation>
    </message>
</context>
<context>
    <name>vtx::MessageWindow</name>
    <message>
        <source>Message</source>
        <translation>Повідомлення</translation>
    </message>
    <message>
        <source>   Ok</source>
        <translation>OK</translation>
    </message>
    <message>
        <source>Yes</source>
        <translation>Так</translation>
    </message>
    <message>
        <source>No</source>
        <translation>Ні</translation>
    </message>
</context>
<context>
    <name>vtx::MusicPlayer</name>
    <message>
        <source>Audio device hasn&apos;t been opened</source>
        <translation>Звуковий пристрій не відкрито</translation>
    </message>
    <message>
        <source>Cannot open the song file: %1</source>
        <translation>Не вдається відкрити файл мелодії: %1</translation>
    </message>
    <message>
        <source>The song file is not a MIDI file</source>
        <translation>Файл мелодії не є файлом MIDI</translation>
    </message>
    <message>
        <source>No song is open</source>
        <translation>Жодну мелодію не відкрито</translation>
    </message>
    <message>
        <source>No message available</source>
        <translation>Повідомлення відсутнє</translation>
    </message>
    <message>
        <source>Information</source>
        <translation>Інформація</translation>
    </message>
</context>
<context>
    <name>vtx::OptionsWindow</name>
    <message>
        <source>Options</source>
        <translation>Налаштування</translation>
    </message>
    <message>
        <source>Player Name:</source>
        <translation>Гравець:</translation>
    </message>
    <message>
        <source>Manual Ship Arrangement</source>
        <translation>Розставити кораблі вручну</translation>
    </message>
    <message>
        <source>Sound ON/OFF</source>
        <translation>Звук УВІМК/ВИМК</translation>
    </message>
    <message>
        <source>Music ON/OFF</source>
        <translation>Музика УВІМК/ВИМК</translation>
    </message>
    <message>
        <source>Game Level:</source>
        <translation>Рівень:</translation>
    </message>
    <message>
        <source>Easy</source>
        <translation>Легкий</translation>
    </message>
    <message>
        <source>Normal</source>
        <translation>Середній</translation>
    </message>
    <message>
        <source>Hard</source>
        <translation>Важкий</translation>
    </message>
    <message>
        <source>Close</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>The options were not saved!</source>
        <translation>Налаштування не збережено!</translation>
    </message>
    <message>
        <source>Admiral</source>
        <translation>Адмірал</translation>
    </message>
</context>
<context>
    <name>vtx::ScoresWindow</name>
    <message>
        <source>HighScores</source>
        <translation>Рекорди</translation>
    </message>
    <message>
        <source> Save</source>
        <translation>Зберегти</translation>
    </message>
    <message>
        <source> Close</source>
        <translation>Закрити</translation>
    </message>
    <message>
        <source>The high scores were not saved!</source>
        <translation>Рекорди не збережено!</translation>
    </message>
    <message>
        <source>No results yet.
Win a game to enter the table.</source>
        <translation>Результатів поки немає.
Виграйте гру, щоб потрапити до таблиці.</translation>
    </message>
    <message>
        <source>No match kept yet.
Every match you play is kept here.</source>
        <translation>Збережених матчів ще немає.
Кожен зіграний матч зберігається тут.</translation>
    </message>
    <message>
        <source>Watch</source>
        <translation>Дивитись</translation>
    </message>
    <message>
        <source>Matches</source>
        <translation>Матчі</translation>
    </message>
    <message>
        <source>Best</source>
        <translation>Найкращі</translation>
    </message>
    <message>
        <source>unreadable</source>
        <translation>не читається</translation>
    </message>
    <message>
        <source>Watch from the menu, when no match runs.</source>
        <translation>Дивитися можна з меню, коли матч не йде.</translation>
    </message>
    <message>
        <source>Last Matches</source>
        <translation>Останні матчі</translation>
    </message>
</context>
<context>
    <name>vtx::SoundSystem</name>
    <message>
        <source>SDL2_mixer version %1.%2.%3 was not loaded</source>
        <translation>SDL2_mixer версії %1.%2.%3 не завантажено</translation>
    </message>
    <message>
        <source>Can&apos;t initialize digital sound system</source>
        <translation>Не вдається запустити цифрову звукову систему</translation>
    </message>
</context>
</TS>
