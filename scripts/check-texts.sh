#!/usr/bin/env bash
# Every text a player reads is marked for translation. A string literal is a
# player's text when it is an argument of a call that puts it on the screen:
#   a widget's text       setText, setWindowTitle, setToolTip, setPlaceholderText,
#                         setCaption, addItem(s), the QLabel/QPushButton/Skin*
#                         constructors;
#   the HUD and the view  showHudText, the view texts' messages;
#   the status line       setStatus, setMatchText (the rules' calls in game/ too);
#   a function's text     what a function named ...Text or ...Message returns;
#   a message window      showMessage, showMessageThen, showNotice, ask, notice,
#                         QMessageBox's information/warning/critical/question,
#                         the music's reportMusicError and its message box;
# or when it is the value of a text constant the rules and the view hand to the
# screen (a constexpr string named ...Text, or one in game/'s namespace status).
# Such a literal must stand inside tr(), QCoreApplication::translate(),
# QT_TR_NOOP/QT_TRANSLATE_NOOP or game/'s VTX_TEXT and VTX_TEXT_N (game/GameText.h).
#
# Not player's texts, and not looked at: what goes to the terminal or the log
# (qWarning, --help, --version), wire markers, file and key names. The few
# literals that reach the screen as they are stand in the allowlist below.
#
#   scripts/check-texts.sh [source root]
source "$(dirname "${BASH_SOURCE[0]}")/check-common.sh" "$@"

# Shown as they are in every language: the game's own name, and texts made of
# no words (separators, numbers).
allowed=("Vortalix 3D")
# Files whose texts go to the terminal only: --help and --version.
terminal_files=(app/CommandLine.cpp)

mapfile -t files < <(find "${product_rooms[@]}" -type f \( -name '*.cpp' -o -name '*.h' \) 2>/dev/null | sort |
    grep -vxF -f <(printf '%s\n' "${terminal_files[@]}"))
[ ${#files[@]} -eq 0 ] && exit 0

ALLOWED=$(printf '%s\n' "${allowed[@]}") perl -e '
use strict;
use warnings;
my %allowed = map { $_ => 1 } split /\n/, $ENV{ALLOWED};
my $calls = qr/\b(?:setText|setWindowTitle|setToolTip|setPlaceholderText|setCaption|addItems?|setStatus|setMatchText|
    showMessage|showMessageThen|showNotice|showHudText|ask|notice|information|warning|critical|question|
    reportMusicError|m_messageBox|QLabel|QPushButton|SkinButton|FlatButton|SkinCheckBox)\s*[({]/x;
my $marks = qr/\b(?:tr|translate|QT_TR_NOOP|QT_TRANSLATE_NOOP|QT_TR_N_NOOP|QT_TRANSLATE_N_NOOP|VTX_TEXT|VTX_TEXT_N)\s*\(/;
my $string = qr/(?:u8|u|L)?"(?:[^"\\\n]|\\.)*"/;
my $bad = 0;

# The text of a file with comments blanked (newlines kept, so lines count).
sub strip {
    my ($s) = @_;
    $s =~ s{($string|\x27(?:[^\x27\\\n]|\\.)*\x27)|//[^\n]*|/\*.*?\*/}{
        defined $1 ? $1 : do { my $c = $&; $c =~ s/[^\n]/ /g; $c }
    }gse;
    return $s;
}
# The end of the bracket opened just before $pos.
sub closing {
    my ($s, $pos) = @_;
    my $depth = 1;
    while ($pos < length $s && $depth > 0) {
        my $c = substr $s, $pos, 1;
        if ($c eq q(")) {
            substr($s, $pos) =~ /^$string/ and $pos += length($&) - 1;
        } elsif ($c =~ /[({\[]/) {
            ++$depth;
        } elsif ($c =~ /[)}\]]/) {
            --$depth;
        }
        ++$pos;
    }
    return $pos;
}
# The literals of a piece of code that stand outside every mark; $masked is
# the same code with the insides of its literals blanked.
sub unmarked {
    my ($code, $masked) = @_;
    while ($masked =~ /$marks/g) {
        my $start = $-[0];
        my $end = closing($masked, pos $masked);
        substr($code, $start, $end - $start) = " " x ($end - $start);
        pos($masked) = $end;
    }
    my @found;
    while ($code =~ /$string/g) {
        my $literal = $&;
        (my $text = $literal) =~ s/^(?:u8|u|L)?"|"\z//g;
        next unless $text =~ /\p{L}{2}/;   # no words: nothing to translate
        next if $allowed{$text};
        push @found, $text;
    }
    return @found;
}
sub report {
    my ($file, $s, $pos, $text) = @_;
    my $line = 1 + (substr($s, 0, $pos) =~ tr/\n//);
    print STDERR "$file:$line: \"$text\" reaches the player but is not marked for translation\n";
    $bad = 1;
}

for my $file (@ARGV) {
    open my $in, "<:encoding(UTF-8)", $file or die "$file: $!";
    my $s = strip(do { local $/; <$in> });
    close $in;
    (my $m = $s) =~ s{$string}{ q(") . ("_" x (length($&) - 2)) . q(") }ge;
    while ($m =~ /$calls/g) {
        my ($start, $from) = ($-[0], pos $m);
        my $end = closing($m, $from);
        report($file, $s, $start, $_) for unmarked(substr($s, $from, $end - $from), substr($m, $from, $end - $from));
        pos($m) = $start + 1;
    }
    # What a function named ...Text or ...Message returns.
    while ($m =~ /\b\w*(?:Text|Message)\s*\([^()]*\)\s*(?:const\s*)?(?:override\s*)?\{/g) {
        my ($from, $end) = (pos $m, closing($m, pos $m));
        my $body = substr $m, $from, $end - $from;
        while ($body =~ /\breturn\b([^;]*);/g) {
            my ($a, $b) = ($from + $-[1], $from + $+[1]);
            report($file, $s, $a, $_) for unmarked(substr($s, $a, $b - $a), substr($m, $a, $b - $a));
        }
    }
    # Text constants: "...Text = ..." anywhere, and every constant of the
    # namespace status of the rules.
    my @status;
    while ($m =~ /namespace\s+status\s*\{/g) {
        my $from = pos $m;
        push @status, [$from, closing($m, $from)];
    }
    while ($m =~ /constexpr\s+(?:std::string_view|const\s+char\s*\*|char)\s+(\w+)(?:\[\])?\s*=([^;]*);/g) {
        my ($name, $at, $from, $to) = ($1, $-[0], $-[2], $+[2]);
        my $inStatus = grep { $at >= $_->[0] && $at < $_->[1] } @status;
        next unless $name =~ /Text$/ || $inStatus;
        report($file, $s, $at, $_) for unmarked(substr($s, $from, $to - $from), substr($m, $from, $to - $from));
    }
}
exit $bad;
' "${files[@]}" || status=1

[ $status -eq 0 ] && echo "texts: every literal that reaches the player is marked for translation (${#files[@]} files)"
exit $status
