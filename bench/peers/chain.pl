#!/usr/bin/perl
# The Perl chain a user would write: one s/\Q...\E/.../g per pair, in table order.
# Usage: chain.pl PAIRS SOURCE OUTPUT [--digits] [--eol2]
use strict;
use warnings;

my ($pairs_file, $source, $output, @flags) = @ARGV;
my %flag = map { $_ => 1 } @flags;

open(my $pf, '<', $pairs_file) or die "$pairs_file: $!";
my @pairs;
while (my $line = <$pf>) {
    chomp $line;
    my ($s, $r) = split / /, $line, 2;
    $r //= '';
    push @pairs, [pack('H*', $s), pack('H*', $r)];
}
close $pf;

open(my $in, '<:raw', $source) or die "$source: $!";
local $/;
my $text = <$in>;
close $in;

# Letter numerals in the markup's letters (the program's code page, 1251).
my @letters = (
    [map { enc($_) } qw(а в г д е <f> з и f)],
    [map { enc($_) } qw(i к л м н <кс> о п q)],
    [map { enc($_) } qw(р с т v ф х <пс> w ц)],
);
sub enc { my $s = shift; utf8::decode($s); require Encode; return Encode::encode('cp1251', $s); }
my $uk = enc('<у>~');

sub numeral {
    my $digits = shift;
    $digits = substr($digits, -6) if length($digits) > 6;
    my $result = '';
    my @chars = reverse split //, $digits;
    for my $k (0 .. $#chars) {
        my $c = $chars[$k];
        next if $c eq '0';
        my $thousands = $k >= 3;
        my $piece = ($thousands ? '#' : '') . $letters[$k % 3][$c - 1] . '~';
        if ($piece eq 'i~' && !$thousands) { $result .= $piece } else { $result = $piece . $result }
    }
    $result =~ s/v~/$uk/g;
    return $result;
}

$text =~ s/([0-9]+)(?=[^0-9])/numeral($1)/ge if $flag{'--digits'};
for my $p (@pairs) {
    my ($s, $r) = @$p;
    $text =~ s/\Q$s\E/$r/g;
}
if ($flag{'--eol2'}) {
    $text =~ s/\r\n\r\n/!%\$%\$%\$%!/g;
    $text =~ s/\r\n/ /g;
    $text =~ s/!%\$%\$%\$%!/\r\n/g;
}
open(my $out, '>:raw', $output) or die "$output: $!";
print $out $text, "\r\n";
close $out;
