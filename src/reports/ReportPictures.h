#pragma once

// The pictures the report pages refer to in the program folder: the quote
// table's arrows "up.gif" and "dn.gif", the summary's recommendation bar
// "bar.jpg" and its marker "gmb.jpg". They come with the program and are
// written beside "Cache" when missing; a picture already there is kept.
void InstallReportPictures();
