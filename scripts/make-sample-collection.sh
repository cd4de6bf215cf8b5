#!/bin/sh
# SPDX-License-Identifier: GPL-3.0-or-later
# Makes a folder of empty files with messy release-style video names, for
# trying the tools without touching one's own collection.
set -eu
dir=${1:?usage: make-sample-collection.sh FOLDER}
mkdir -p "$dir/Season 1" "$dir/done" "$dir/VOB set" "$dir/e-books"
cd "$dir"
for name in \
  "Movie.Name.2004.DVDRip.XviD-aXXo.avi" \
  "Some_Film_[1999]_HDTV.mkv" \
  "movie (1984) [DVD].avi" \
  "Special EDITION.avi" \
  "The Aviator 2004.avi" \
  "Unlimited Edition (2010).mp4" \
  "Film-deity.avi" \
  "Film 19991.avi" \
  "Film.1949.avi" \
  "Film.2013.avi" \
  "Another.Movie.1997.BRRip.x264.mp4" \
  "Another.Movie.1997.BDRip.mp4" \
  "the.big.game.2008.PPVRip.mpg" \
  "Road.Trip.2000.UNRATED.DVDRip.avi" \
  "road.trip.2000.unrated.dvdrip.AVI" \
  "Nature--Documentary__2011.HDTV.ts" \
  "Concert.Live.2009.HomeCinema.flv" \
  "Old.Classic.1955.Limited.Edition.divx" \
  "Space.Story.2012.iFLiX.m4v" \
  "Space.Story.2012.iflix.srt" \
  "Cartoon.Collection.1962.DVRMS.vob" \
  "holiday.video.2007.www.sharethefiles.com.avi" \
  "Band..Reunion...1988..mp4" \
  "Quiet.Night.1979.HAGGIS.iso" \
  "City.Lights.2003.ESPiSE.avi" \
  "City.Lights.2003.AMIABLE.avi" \
  "Lost.Reel.1966.QSS.mpg" \
  "Mountain.Story.2005.P0W4.avi" \
  "manual.pdf" \
  "readme.txt" \
  "nodots" \
  "Season 1/episode.01.hdtv.xvid.avi" \
  "Season 1/episode.02.hdtv.xvid.avi" \
  "VOB set/VTS_01_1.VOB" \
  "VOB set/VTS_01_2.VOB" \
  "VOB set/VTS_01_3.VOB" \
  "e-books/My Book.lit" \
  "e-books/Another Story.LIT"
do
  : > "$name"
done
echo "Sample collection made in $dir"
