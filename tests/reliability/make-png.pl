#!/usr/bin/env perl
# Writes a PNG of one colour, small on disk however many pixels it has.
#   make-png.pl WIDTH HEIGHT                      the PNG
#   make-png.pl --cursor ENTRY WIDTH HEIGHT       a .CUR file whose one entry
#                                                 says ENTRY pixels and holds it
#   make-png.pl --gif WIDTH HEIGHT                a GIF of 35 bytes whose logical
#                                                 screen is WIDTH by HEIGHT and
#                                                 whose one frame is one pixel
use strict;
use warnings;
use Compress::Zlib qw(compress crc32);

my $cursor = @ARGV && $ARGV[0] eq '--cursor' ? (shift @ARGV, shift @ARGV)[1] : undef;
my $gif = @ARGV && $ARGV[0] eq '--gif' ? shift @ARGV : undef;
my ($width, $height) = @ARGV;
die "usage: make-png.pl [--cursor ENTRY | --gif] WIDTH HEIGHT\n" unless defined $height;
binmode STDOUT;
if (defined $gif) {
    print 'GIF89a', pack('vvCCC', $width, $height, 0x80, 0, 0), "\0\0\0\xff\xff\xff",
        ',', pack('vvvvC', 0, 0, 1, 1, 0), "\x02\x02\x44\x01\0;";
    exit 0;
}

sub chunk {
    my ($type, $data) = @_;
    return pack('N', length $data) . $type . $data . pack('N', crc32($type . $data));
}

my $row = "\0" . ("\x80\x40\x20" x $width);
my $png = "\x89PNG\r\n\x1a\n"
    . chunk('IHDR', pack('NNCCCCC', $width, $height, 8, 2, 0, 0, 0))
    . chunk('IDAT', compress($row x $height, 9))
    . chunk('IEND', '');
if (defined $cursor) {
    my $entry = $cursor & 0xff;
    print pack('vvv', 0, 2, 1), pack('CCCCvvVV', $entry, $entry, 0, 0, 1, 1, length $png, 22), $png;
} else {
    print $png;
}
