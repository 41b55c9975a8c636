#!/usr/bin/perl
use strict;
use warnings;
use Data::Dumper;
no warnings 'once';

=head1 NAZWA

licznik.pl - liczy słowa

=cut

my %count = ();
my @words = qw(alfa beta gamma);
my $total = 0x1F + 1_000 + 3.14e-2 + 017;
foreach my $w (@words) {
    $count{$w}++;
    next if $w =~ /^a/i;
    $total += length($w) / 2;
}
print "Razem: $total\n" if $#words >= 0;
my $ref = \%count;
print ${$ref}{alfa}, $ref->{beta}, $_ for 1..3;
(my $t = $0) =~ s{\.pl$}
                 {.log}g;
my $text = 'wiele
linii';
my %opts = (q => 1, s => 2);
my $line = "-" x 20;
my $hd = <<"EOT";
Tekst $total
EOT
print $hd;
my $zażółć = 1;
__END__
Dane po końcu: print "to nie kod";
