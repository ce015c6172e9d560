// SPDX-License-Identifier: MIT
#include "core/app/helptext.h"

#include <array>
#include <utility>

namespace {

// The first 152 lines; the credit and the address follow them.
constexpr const char* helpBody = R"help(
[CODE]
This page is for writing the code.
When you tap the [Run] button, the current code will be exported.
It can be loaded by writing a command like the following on fantasy consoles.
* TIC-80 (files in %exportdir%)
new js
import code a.js
* TIC-80, Lua
new lua
import code a.lua
* TIC-80 PRO: code, sprites and colours at once
load a.js (or load a.lua)
When TIC-80 is installed, Run also starts it with the code and the exported sprites loaded.
* LIKO-12
dofile("D:/a.lua")
* Pixilang
It starts automatically.

- Buttons
Sh... Shift
Hm... Home
En... End
Tm... Insert a template
Ky... Keyword suggestion
Rt... Enter
Dl... Delete

When you tap the [Sh], the following buttons appear.
Sl... Select start
Cp... Copy
Ps... Paste
Ld... Delete a line
Lc... Copy a line
Ly... Copy a line and replace x to y
Jn... Move to the specified line
Jp... Move to the specified function
Fi... Find, Format: {find text}
Fn... Find next
Rp... Replace, Format: {find text}replace text
Rn... Replace next
Hd... Move the cursor to the beginning of the file
Ft... Move the cursor to the end of the file
Sp... Insert GPUIMG(LIKO-12)/hexadecimal strings(Pixilang) from the current sprites


[SPRITE]
This page is for drawing sprites.

- Buttons
Ad... Add a character
Dl... Delete a character
Cp... Copy a character
Ps... Paste a character
Pn... Cycle a pen kind. Pn:Pen Fl:Fill Rp:Replace
Rt... Rotate
Fv... Flip vertical
Fh... Flip horizontal
Sh... Shift
U.... Cycle a shift direction
Er... Erase a current character
Un... Undo
Ex... Export sprite sheets
It can be imported with the following command on fantasy consoles.
* TIC-80 (into a new cart)
>import tiles tiles.png
>import sprites sprites.png
* LIKO-12 (NAME: the name of the sprites)
>import NAME.lk12
* Pixilang
img=load("NAME0.gif")


[SYSTEM]
- Width
Number of columns in the CODE page

- Backup
Saves all code and sprites in single ZIP file


* Functions
[TIC-80]
- btn([id:0..5 8..13])
- btnp([id:0..5 8..13, [hold period]])
- clip([x,y,w,h])
- cls([color])
- circ(x,y,radius,color)
- circb(x,y,radius,color)
- exit()
- font(text,x,y,key, char_width,char_height,fixed,scale)
- line(x0,y0,x1,y1,color)
- map([x=0,y=0], [w=30,h=17],[sx=0,sy=0],[key=-1],[scale=1],[remap=nil])
- memcpy(toaddr,fromaddr,len)
- memset(addr,val,len)
- mget(x,y)
- mouse()
- mset(x,y,id)
- music([track=-1], [frame=-1],[row=-1],[loop=true])
- peek(addr)
- peek4(addr4)
- pix(x,y,[color])
- pmem(index:0..6,[val])
- poke(addr,val)
- poke4(addr4,val)
- print(text,[x=0,y=0], [color=15],[fixed=false],[scale=1])
- rect(x,y,w,h,color)
- rectb(x,y,w,h,color)
- sfx(id,[note], [duration=-1],[channel=0],[volume=15],[speed=0])
- spr(id,x,y, [key=-1],[scale=1],[flip=0],[rotate=0],[w=1,h=1])
- sync([toCart=true])
- time()
- trace(msg,[color])
- tri(x1,y1,x2,y2, x3,y3,color)
- textri(x1,y1,x2,y2, x3,y3,u1,v1,u2,v2,u3,v3,[use_map=false],[chroma=-1])

[Math]
- abs(number): returns the positive equivalent of a value.
- atan2(radian,radian): returns the arctangent of the quotient.
- cos(radian): returns the cosine of a value.
- int(number): rounds the specified real number down to the nearest value.
- rand(number): returns a random number between 0 and the number-1.
- rnd(): returns a floating-point, pseudo-random number in the range 0 to 1.
- sin(radian): return the sine of a value.
- sqr(number): returns the square root of a value.
- tan(radian): returns the tangent of a value.

[Text]
- asc(string): produces an ASCII character number from the string provided.
- chr(number): returns a character string from the ASCII character number.
- len(string): returns the number of characters in the string provided.
- lower(string): returns a string converting the specified string to lowercase.
- mid(string,start,length): extracts a string from the string provided.
- upper(string): returns a string converting the specified string to uppercase


* Directories
- Code files
%di_basfiles%

- Sprite files
%di_grafiles%

- Templates
%di_temps%

- Common functions
%di_js%


* Tips
- The template will display the files whose beginning matches the word at the cursor position. If there is no matching file, it displays all the templates.
- You can customize the suggested keywords by editing %fi_keywords%.
)help";

} // namespace

QString helpTextTemplate()
{
    // The raw literal starts with the LF after its opening delimiter.
    return QString::fromLatin1(helpBody + 1) + u'\n' + QLatin1StringView(helpCreditLine) + u'\n' +
           QLatin1StringView(projectWebAddress) + u'\n';
}

QString fillHelpText(const HelpFolders& folders)
{
    const std::array<std::pair<QLatin1StringView, const QString*>, 6> placeholders{{
        {QLatin1StringView("%di_basfiles%"), &folders.codeFilesDir},
        {QLatin1StringView("%di_grafiles%"), &folders.spriteFilesDir},
        {QLatin1StringView("%di_temps%"), &folders.templatesDir},
        {QLatin1StringView("%exportdir%"), &folders.exportDir},
        {QLatin1StringView("%di_js%"), &folders.commonFunctionsDir},
        {QLatin1StringView("%fi_keywords%"), &folders.keywordsPath},
    }};
    // One pass over the text: a folder whose name happens to contain a placeholder is
    // shown as it is, not filled in again.
    const QString text = helpTextTemplate();
    QString out;
    out.reserve(text.size() + 512);
    qsizetype i = 0;
    while (i < text.size()) {
        bool replaced = false;
        if (text[i] == u'%') {
            for (const auto& [name, value] : placeholders) {
                if (QStringView(text).sliced(i).startsWith(name)) {
                    out += *value;
                    i += name.size();
                    replaced = true;
                    break;
                }
            }
        }
        if (!replaced)
            out += text[i++];
    }
    return out;
}
