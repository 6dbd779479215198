// mu: a compact 2D game library for 32-bit Windows (DirectDraw, DirectSound,
// GDI, WinMM). This is the one header an application includes.
//
// How an application is written on it:
//   The library owns the entry point (WinMain), the window and the message and
//   frame loop. The application supplies exactly these four names:
//     extern const char appCaption[] = "My Game";  // window caption; also names
//                                                   // the single-instance mutex
//     void GameInit();          // start-up: call muDraw::Screen, load pictures,
//                               // set muSystem::sceneNumber = 1
//     void GameFrame();         // scene 1, run once per frame; ends with muDraw::Flip
//     void OnActivate(int on);  // 0 once after GameInit, 1 on each re-activation
//   and links the static library `mu` (CMake: find_package(mu), target mu::mu).
//   Nothing else is needed to get a 640 x 480 window and frames.
//
// Conventions: operations that can fail show the library's error box and
// return 0 (or -1 for sound slots); blits return nothing, effects 1 (0 when a
// surface lock failed). Texts are zero-terminated Shift-JIS. All state is
// process-wide and single-threaded.
#ifndef MU_H
#define MU_H

#include <windows.h>
#include <ddraw.h>

#include "mu_joystick.h"   // joystick records and operations (no Windows types)

// Supplied by the application.
extern const char appCaption[];
void GameInit();
void GameFrame();
void OnActivate(int active);

namespace muSystem {

// ---- Capacities -------------------------------------------------------------
constexpr int kTextBufferSize = 256;   // formatted texts, paths, command line
constexpr int kWaitSlots = 10;         // application wait slots 1..10
constexpr int kDelaySlot = 11;         // the slot muSystem::Delay uses
constexpr DWORD kWaitCleared = 999999999;

// startupFlags bits
constexpr int kStartupNormalZOrder = 1;   // windowed: do not make the window top-most
constexpr int kStartupRunInactive = 2;    // keep running frames while inactive
constexpr int kStartupHidden = 4;         // create the window hidden

// ---- Shell state ------------------------------------------------------------
extern HWND mainWindow;
extern HINSTANCE instanceHandle;
extern char commandLine[kTextBufferSize];
extern int fullScreen;             // 1 full screen, 0 windowed
extern int startupFlags;           // kStartup* bits
extern int displayWidth, displayHeight;   // the game's screen as chosen at start-up
extern int screenWidth, screenHeight;     // the back screen's size
extern int clientLeft, clientTop;         // client area's top-left, screen coordinates
extern RECT clientRect;                   // client area, screen coordinates
extern int cursorConfinement;      // option: keep the cursor on the game's screen
extern int cursorShown;            // 1 while the system cursor is shown
extern int messageBoxOpen;         // 1 while a library message box is open
extern int appActive;              // 1 while the application is active
extern int quitState;              // 0 running, 1 closing by request, 2 shut down
extern int shutDownDone;           // set by the first muSystem::Quit
extern HANDLE instanceMutex;
extern float frameSeconds;         // previous frame's length in seconds
extern DWORD lastFrameTime;        // timer reading at the start of this frame
extern int sceneNumber, previousScene, sceneChanged, nextScene;
extern int blinkOn;                // 1 for 1000 ms, then 0 for 200 ms, ...
extern DWORD nextBlinkTime;
extern DWORD waitDeadlines[kDelaySlot + 1];   // entries 1..10 and the delay's 11
extern int errorRaised;

// ---- Input state written by the window procedure ----------------------------
extern int heldKey, lastKey, pageViewKey;
extern int keyCaptureMode, capturedKey, capturedClick;
extern int shiftToggle, watchedKey, watchedKeyReleases, sysKeyMode;
extern int mouseX, mouseY, previousMouseX, previousMouseY, mouseDX, mouseDY;
extern int leftDown, rightDown, leftPressed, rightPressed;
extern int leftDoubleClick, rightDoubleClick, leftClickLatch, rightClickLatch;
extern int heldButton, lastButton;
extern int cursorClipped;          // 1 while the cursor is confined

// ---- Utilities' state -------------------------------------------------------
extern char exePath[kTextBufferSize];
extern char dataRoot[kTextBufferSize];
extern char lastDirName[kTextBufferSize];
extern int imeEnabled;

// ---- Start-up, loop and shut-down -------------------------------------------
void ResetGlobals();                              // start values of the shell and input state
int CheckSingleInstance(const char* caption);     // 1 if first instance; else fronts the other, 0
int Startup(HINSTANCE instance, const char* cmdLine, int showCommand);  // steps up to the loop; 1 to run it
int RunLoop();                                    // message and frame loop until WM_QUIT; returns 0
void RunFrame();                                  // one frame of the loop
int PumpMessages();                               // dispatches queued messages; 0 once WM_QUIT was taken
int Quit();                                       // orderly shut-down, once; returns 1
char* GetCommandLine();                           // the command line kept at start-up
LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);
void KeyPressed(int keyCode);                     // common key-press entry (Escape quits)

// ---- Frame timing and waits -------------------------------------------------
int SetWait(int slot, DWORD milliseconds);        // deadline = now + ms; 0 on a bad slot
int InitWait(int slot);                           // clears the slot; 0 on a bad slot
int CheckWait(int slot);                          // 1 once the slot's deadline is reached
void Delay(DWORD milliseconds);                   // busy-waits, then resets the frame timer
void ResetFrameTimer();                           // frameSeconds = 0, lastFrameTime = now
void UpdateFrameTimer();                          // frameSeconds = time since lastFrameTime

// ---- Error boxes and debug log ----------------------------------------------
int Error(const char* where, const char* message, long code);   // error box; returns 0
void Message(const char* format, ...);            // message box (OK)
int Confirm(const char* format, ...);             // Yes/No box; 1 for Yes
int Log(const char* format, ...);                 // appends one line to DEBUG.TXT
int ErrorRaised();                                // errorRaised
int QuitOnError();                                // errorRaised, after Quit if it is 1

// ---- System utilities -------------------------------------------------------
char* GetExeDir(int useDataRoot);                 // executable's (or data-root) directory with "\"
void ReadDataRoot(const char* fileName);          // dataRoot from a file in the Windows directory
void WriteInt(const char* fileName, int value);   // one-integer setting file under GetExeDir(1)
int ReadInt(const char* fileName);                // the integer of such a file; 0 if none
void GetDate(int* year, int* month, int* day, char* weekday);   // weekday: one Japanese character
void GetTime(int* hour, int* minute, int* second);
int GetDiskFree(char drive);                      // free bytes, saturated at INT_MAX; 0 if no drive
int GetFreeMemory();                              // free physical bytes, saturated at INT_MAX
int GetOSVersion();                               // Windows version code (310, 950, 2000, 6010, ...)
int GetScreenDepth();                             // bits per pixel of the window's display
int IsWindowed();                                 // 1 when fullScreen is 0
void EnableIME(int enable);                       // input method editor on or off
int CheckColorDepth(const char* settingFile);     // asks a windowed player to go full screen

// ---- Keyboard state ---------------------------------------------------------
// Key states: 0 up, 1 pressed, 3 held, 2 released; one int per key, kept by the caller.
void UpdateKeyState(int key, int* state);         // advances *state from the key's down bit
int CheckTrigger(int code, ...);                  // codes ended by 0 (1, 2 = mouse buttons): the code
                                                  // whose press was just released, else 0
void BeginKeyCapture();                           // keys to capturedKey, clicks to capturedClick
void EndKeyCapture();                             // capture off, heldKey = 0
void WatchKey(int key);                           // counts the key's releases from now on
int GetWatchedKeyReleases();                      // releases of the watched key so far
void SetSysKeyMode(int mode);                     // 0 ignore Alt/F10, 2 ignore Alt alone, else handle
int KeyInputSilenced();                           // 1 while polled keys read up (wipe, page view, capture)

// ---- Mouse and cursor -------------------------------------------------------
BOOL ClipCursorRect(int left, int top, int right, int bottom);   // confines to a screen rectangle
BOOL ConfineCursor();                             // clips the cursor to the game's screen
BOOL ReleaseCursor();                             // removes the confinement
int IsCursorClipped();                            // cursorClipped
BOOL SetMousePos(int x, int y);                   // pointer to client position (x, y)
int ResetInput();                                 // clears the waits, key capture and sys-key mode (screen set-up)

// ---- Joystick ---------------------------------------------------------------
// Records and operations: mu_joystick.h. Every reading of a controller goes
// through this one record (dwSize 52, dwFlags one of the kJoy*Flags).
extern JOYINFOEX joyInfo;

}  // namespace muSystem

namespace muDraw {

extern LPDIRECTDRAW directDraw;    // the DirectDraw object; null until muDraw::Screen
extern int displayDepth;           // requested full-screen depth (16); the desktop's when windowed

// ---- Sprite table and colour keys -------------------------------------------
constexpr int kSpriteCount = 1024;        // records 0..1023
constexpr int kInternalSprites = 4;       // 0 Buffer, 1 Screen, 2 Font, 3 Font buffer
constexpr int kSpriteNameSize = 32;
constexpr int kSpriteNameMax = 30;        // longest name a record holds
constexpr int kBufferSprite = 0, kScreenSprite = 1, kFontSprite = 2, kFontBufferSprite = 3;
constexpr int kMemoryPlaced = 2;          // memory type: DirectDraw places the surface
constexpr int kKeyTopLeft = -1;           // colour key taken from pixel (0, 0)

struct SpriteRecord {
  LPDIRECTDRAWSURFACE surface;   // null: free, or reserved by a load that failed
  char name[kSpriteNameSize];    // empty: free; "*": blank sprite of CreateObject
  int packed;                    // non-zero: reloaded from the pack file
  int memoryType;                // placement used when the picture is reloaded
  int colorKey;                  // COLORREF of the key, or kKeyTopLeft
  unsigned short width, height;
};
extern SpriteRecord spriteTable[kSpriteCount];
extern COLORREF loadColorKey;      // key colour of the pictures loaded next (black)
extern int loadKeyTopLeft;         // 1: pixel (0, 0) of each picture loaded next is its key

void SetColorKey(COLORREF color);                 // load key = color, top-left off
void SetColorKeyTopLeft();                        // load key from each picture's pixel (0, 0)
void SetObjectColorKey(int sprite, COLORREF color);   // the sprite's key = color
void SetObjectColorKeyTopLeft(int sprite);        // the sprite's key = its pixel (0, 0)
void CopyColorKey(int destination, int source);   // source surface's key onto destination's

// ---- Screen and surfaces ----------------------------------------------------
extern LPDIRECTDRAWSURFACE primarySurface;   // the visible surface
extern LPDIRECTDRAWSURFACE backScreen;       // every frame is drawn here
extern LPDIRECTDRAWCLIPPER clipper;          // windowed only
extern HDC backScreenDC;                     // while borrowed by GetBackDC
extern int fallbackDepth1, fallbackDepth2;   // depths tried when the mode fails; 0 none
extern int hardwareDevice;                   // 1 when a 3D-capable driver was picked
extern int canStretch;                       // 1 when DirectDraw stretches blits
extern int clipLeft, clipTop, clipRight, clipBottom;   // clip rectangle of every blit
extern RECT screenRect;                      // (0, 0, screenWidth, screenHeight)

// Pixel format of the back screen and the effects' tables (see draw/pixel_format.h).
extern unsigned int redMask, greenMask, blueMask, redMax, greenMax, blueMax;
extern unsigned int redShift, greenShift, blueShift, redTop5, greenTop5, blueTop5;
extern unsigned int halfMask, halfMaskPair, whiteValue;
extern int sineTable[450];                   // sin(i degrees) x 360; cosine at i + 90
extern unsigned char pixelToRgb5[65536 * 3]; // 16-bit only: 5-bit red, green, blue of a pixel
extern unsigned short fadeTable[3][32][32][32], darkenAddTable[3][32][32][32];
extern unsigned short subtractTable[3][32][32], greyTable[94];
extern unsigned char noiseTable[10000];

int Screen(int width, int height, int memoryMode);   // DirectDraw, surfaces, subsystems; 1 or 0
void SetDepth(int depth, int fallback1, int fallback2);   // full-screen depths; before Screen
void SetClip(int left, int top, int right, int bottom);   // clip rectangle, stored as given
void Restore();                                   // restores lost surfaces, reloads pictures
void Release();                                   // releases every surface and DirectDraw
HRESULT GetBackDC();                              // borrows the back screen's DC into backScreenDC
void ReleaseBackDC();                             // gives backScreenDC back

// ---- Sprite objects and BMP loading -----------------------------------------
int LoadObject(const char* name, int memoryType); // BMP resource or file; index or 0
int CreateObject(int width, int height, int memoryType);   // blank sprite; index or 0
int SwapObject(const char* name, int sprite, int memoryType);   // new picture, same index; 1 or 0
void DeleteObject(int sprite);                    // frees the sprite's record
char* MakePath(const char* name);                 // executable's directory + name (static buffer)

// ---- Pack files, conversion and screenshots ---------------------------------
extern char packPath[muSystem::kTextBufferSize];   // executable's directory + the pack's name

char* SetPack(const char* fileName);              // names the pack file; returns packPath
int LoadPack(const char* name, int memoryType);   // pack picture into a new sprite; index or 0
int SwapPack(const char* name, int sprite, int memoryType);   // pack picture into the index; index or 0
int Convert(const char* pack, const char* folder, int fresh);   // folder's BMPs appended to the
                                                  // pack (emptied first if fresh); 1, 0 on a 16-bit screen
int SaveScreen(const char* fileName, int width, int height);   // back screen's top-left part as a
                                                  // 24-bit BMP; 1, 0 if not locked or too large

// ---- Blits (clipped by the clip rectangle) ----------------------------------
void ClearScreen();                               // back screen to pixel value 0
void BltKey(int x, int y, int sprite, int left, int top, int right, int bottom);   // keyed
void Blt(int x, int y, int sprite, int left, int top, int right, int bottom);      // opaque
void ObjectBltKey(int destination, int x, int y, int sprite, int left, int top, int right,
                  int bottom);                    // keyed, into a sprite
void ObjectBlt(int destination, int x, int y, int sprite, int left, int top, int right,
               int bottom);                       // opaque, into a sprite

// ---- Fills, stretched, mirrored and raster blits ----------------------------
// Fills take raw pixel values and ignore the clip rectangle; each rectangle is
// cut to its surface. A 16-bit screen uses the low 16 bits of a pixel value.
void ClearObject(int sprite);                     // the whole sprite to pixel value 0
void ClearBox(int left, int top, int right, int bottom);    // rectangle to 0
void ClearFrame(int left, int top, int right, int bottom);  // its one-pixel border to 0
void WhiteScreen();                               // back screen to whiteValue
void WhiteBox(int left, int top, int right, int bottom);    // rectangle to whiteValue
void FillBox(int left, int top, int right, int bottom, DWORD value);   // rectangle to value
int TintBox(int left, int top, int right, int bottom, DWORD value);    // 50 % towards value,
                                                  // clipped; 1, or 0 when the lock failed
// Stretched blits of a source rectangle to width x height at (x, y): DirectDraw
// when canStretch is 1, else GDI StretchBlt through the Buffer sprite (keyed
// then with the Buffer sprite's key).
void StretchKey(int x, int y, int sprite, int left, int top, int right, int bottom, int width,
                int height);                      // keyed
void Stretch(int x, int y, int sprite, int left, int top, int right, int bottom, int width,
             int height);                         // opaque
// Mirror mode 0 as is, 1 left-right, 2 upside down, 3 both; pixel value 0 is
// transparent; clipped. 1, or 0 when a lock failed.
int FlipBlt(int x, int y, int mode, int sprite, int left, int top, int right, int bottom);
void CaptureBox(int sprite, int left, int top, int right, int bottom);   // back screen to the
                                                  // sprite's (0, 0), unkeyed
// Raster effects: one keyed blit per row (opaque for RollBlt), clipped. The
// animated ones keep their phase between calls and move it by frameSeconds x speed.
void WaveBlt(int x, int y, int amplitude, int rowsPerDegree, float speed, int sprite, int left,
             int top, int right, int bottom, int interlace);   // rows swing on a cosine
void TileScroll(float speedX, float speedY, int sprite, int left, int top, int right,
                int bottom);                      // the source tiled over the screen, scrolling
void WaveScroll(int x, int y, int amplitude, int rowsPerDegree, float waveSpeed, float scrollSpeed,
                int sprite, int left, int top, int right, int bottom);   // waving, scrolling up
void WaveBand(int bandTop, int bandBottom, int amplitude, int rowsPerDegree, float waveSpeed,
              float scrollSpeed, int sprite, int left, int top, int right, int bottom);
                                                  // screen rows tiled with a waving scroll
void RowMosaic(int x, int y, int blockHeight, int sprite, int left, int top, int right,
               int bottom);                       // each block's first row repeated
void SkipRows(int x, int y, int step, int sprite, int left, int top, int right, int bottom);
                                                  // every step-th row; step < 0 random gaps
void JitterBlt(int x, int y, int shift, int sprite, int left, int top, int right, int bottom);
                                                  // rows moved at random by -shift..shift-1
void RollBlt(int x, int y, int forward, float speed, int sprite, int left, int top, int right,
             int bottom);                         // the picture on a turning drum

// ---- Pixel effects (a source pixel of value 0 is transparent) ---------------
// Each returns 1 when it ran or had nothing to draw, 0 when a lock failed.
// The source rectangle (left, top, right, bottom) of the sprite is drawn at
// (x, y) of the back screen, clipped. Levels 0..31, alphas and amounts 0..1
// (values outside are held to the range; not-a-number counts as 0). 16- and
// 32-bit back screens.
int HalfBlend(int x, int y, int sprite, int left, int top, int right, int bottom);   // 50 % mix
int AlphaBlend(int x, int y, float alpha, int sprite, int left, int top, int right,
               int bottom);                       // alpha x source + (1 - alpha) x screen
int AlphaBlendRGB(int x, int y, float alphaRed, float alphaGreen, float alphaBlue, int sprite,
                  int left, int top, int right, int bottom);   // one alpha per channel
int FadeBlend(int x, int y, int level, int sprite, int left, int top, int right,
              int bottom);                        // 31: the source, 0: the screen
int FadeBlendRGB(int x, int y, int levelRed, int levelGreen, int levelBlue, int sprite, int left,
                 int top, int right, int bottom);
int AlphaGradient(int x, int y, float alphaRed, float alphaGreen, float alphaBlue, int vertical,
                  int start, int step, int sprite, int left, int top, int right,
                  int bottom);                    // screen's weight falls 1/32 every step rows/columns after start
int FadeGradient(int x, int y, int levelRed, int levelGreen, int levelBlue, int vertical,
                 int start, int step, int sprite, int left, int top, int right, int bottom);
int AddBlend(int x, int y, int sprite, int left, int top, int right, int bottom);   // saturating sum
int AddBlendLevel(int x, int y, float amount, int sprite, int left, int top, int right,
                  int bottom);                    // the source's amount added
int ShadowBlend(int x, int y, int sprite, int left, int top, int right,
                int bottom);                      // screen darkened by the source's red
int SoftEdge(int x, int y, int sprite, int left, int top, int right,
             int bottom);                         // edges averaged with the screen around them
int ChannelMask(int x, int y, int keepRed, int keepGreen, int keepBlue, int sprite, int left,
                int top, int right, int bottom);  // the source with only the kept channels
int Brightness(int x, int y, float factor, int sprite, int left, int top, int right,
               int bottom);                       // the source times factor (above 1 saturates)
int BrightnessRGB(int x, int y, float factorRed, float factorGreen, float factorBlue, int sprite,
                  int left, int top, int right, int bottom);
int Darken(int x, int y, int level, int sprite, int left, int top, int right,
           int bottom);                           // the source darkened to level (31: unchanged)
int DarkenRGB(int x, int y, int levelRed, int levelGreen, int levelBlue, int sprite, int left,
              int top, int right, int bottom);
int BoxBlur(int x, int y, int size, int sprite, int left, int top, int right,
            int bottom);                          // size x size average, size held to 1..45
int GrayBlt(int x, int y, int sprite, int left, int top, int right, int bottom);   // grey source
int DisplaceBlt(int x, int y, float amount, int sprite, int left, int top, int right,
                int bottom);                      // screen pulled up by the source's red
int GlowBlt(int x, int y, int shiftRed, int shiftGreen, int shiftBlue, int directions, int copy,
            int sprite, int left, int top, int right, int bottom);   // light spread in the flagged directions

// ---- Further pixel effects --------------------------------------------------
// On an area of the back screen itself (cut to the screen), each once per call;
// 1 when done or nothing to do, 0 when a lock failed. Fade and grain flags
// name the channels (non-zero: that channel).
int Smoke(int x, int y, unsigned width, unsigned height);   // content rises a row, smoothed now and then
int SmokeFade(int fadeRed, int fadeGreen, int fadeBlue, int x, int y, unsigned width,
              unsigned height);                   // smoke whose smoothed pixels darken
int Soften(int x, int y, unsigned width, unsigned height);  // inner pixels to their neighbours' average
int SoftenFade(int fadeRed, int fadeGreen, int fadeBlue, int x, int y, unsigned width,
               unsigned height);                  // softening that darkens the flagged channels
int Zoom2(int x, int y, unsigned width, unsigned height, int sparse);   // area doubled in place
int Zoom4(int x, int y, unsigned width, unsigned height, int sparse);   // area quadrupled in place
int DiscMosaic(int centreX, int centreY, int radius, int cellSize);     // square cells inside a disc
int Grain(int shift, int x, int y, unsigned width, unsigned height);    // noise brightens every channel
int GrainRGB(int grainRed, int grainGreen, int grainBlue, int shift, int x, int y, unsigned width,
             unsigned height);                    // noise brightens the flagged channels

// ---- Rotation and mapping effects -------------------------------------------
// Each returns 1 when done or clipped to nothing, 0 when a lock failed (except
// MakeTunnel). A source pixel of value 0 is not drawn unless said. 16- and
// 32-bit back screens. Rotations: the source rectangle is centred in the
// destination rectangle (left, top, right, bottom) and turned by `angle` whole
// degrees (any value, taken modulo 360); only destination pixels inside the
// clip rectangle are written. Zooms must be positive and finite, else nothing
// is drawn.
int RotateBlt(int left, int top, int right, int bottom, int angle, int sprite, int sourceLeft,
              int sourceTop, int sourceRight, int sourceBottom);   // the picture turned
int RotateTile(int left, int top, int right, int bottom, int angle, int sprite, int sourceLeft,
               int sourceTop, int sourceRight, int sourceBottom);   // repeated over the whole rectangle
int RotateZoom(int left, int top, int right, int bottom, int angle, float zoom, int sprite,
               int sourceLeft, int sourceTop, int sourceRight, int sourceBottom);   // turned and zoomed
int RotateZoomTile(int left, int top, int right, int bottom, int angle, float zoom, int sprite,
                   int sourceLeft, int sourceTop, int sourceRight, int sourceBottom);   // zoomed tiles
int RotateStretchTile(int left, int top, int right, int bottom, int angle, float zoomX,
                      float zoomXStep, float zoomY, float zoomYStep, float red, float green,
                      float blue, int sprite, int sourceLeft, int sourceTop, int sourceRight,
                      int sourceBottom);         // zooms change per row; colours times the factors
// Mode 0 (1): columns after (up to) `position` repeat it, mode 1 on to the
// screen's left edge; modes 2 and 3 likewise with rows, mode 3 up to the top.
// Mode 0 takes right = screenWidth - left, mode 2 bottom = screenHeight - top.
int SmearBlt(int x, int y, int mode, int position, int sprite, int left, int top, int right,
             int bottom);
int RippleBlt(int x, int y, int amplitude, int frequency, int stride, float scale, float shear,
              int sprite, int left, int top, int right, int bottom);   // rippled sheet, zero included
// Builds the tunnel table (at most 640 x 480 cells, ranges 1..32768); returns
// its height, or 0 for bad sizes. Centre and view divisor -1: the defaults.
int MakeTunnel(int uRange, int vRange, int width, int height, int centreX, int centreY,
               int viewDivisor, int motion, int distanceKind, int depthKind);
int DrawTunnel(int x, int y, int uOffset, int vOffset, int sprite);   // the table textured by the sprite

// ---- Frame show and transitions ---------------------------------------------
extern int wipeSprite, wipeStep;   // wipe tiles; step 1..10 drawn next, 0 idle
extern int pageHeight, pageSprite, pageTileSprite;
extern float pagePos, pageTileX, pageTileY;
extern int waitVBlank;             // 1: Flip waits for the vertical blank
extern int wipeDirection;          // +1 forward wipe running, -1 backward, 0 none
extern int pageViewOn;             // 1 while the page view is shown

void Flip();                                      // shows the back screen
void SetVSync(int on);                            // waitVBlank = on
int SetWipe(const char* fileName);                // loads the wipe tiles (black keyed); index
void WipeForward();                               // wipe over the next ten frames, then next scene
void WipeBackward();                              // wipe frames 9..0 over the scene's frames
void SetPage(const char* pageFile, const char* tileFile, int height);   // page view pictures
void TogglePage();                                // page view on or off (on only with a page)

// ---- Clip-rectangle curtains ------------------------------------------------
// A curtain animates the clip rectangle: opening it towards the rectangle it
// had at the start, or closing it from there. Types 1 top, 2 bottom, 3 left,
// 4 right edge; 5 top and bottom, 6 left and right; 7 all four; 8 a vertical
// band then sideways, 9 a horizontal band then up and down; 0 picks one of
// 1-9 at random; a type above 9 never ends. Speed in pixels a second.
extern int curtainState;           // 0 idle, 1 opening, 2 closing, -1 closed
extern int curtainOpened;          // 1 once an opening curtain completed; 0 at a start
extern int curtainClosed;          // 1 once a closing curtain completed; 0 at a start
int StartCurtain(int closing, int type, float speed, int band);   // 0 while one runs, else 1
int StepCurtain();                                // moves the edges (once a frame); 0 if none runs
void CloseCurtain();                              // collapses the clip rectangle at once
void EndCurtain();                                // a running curtain's saved clip back, state 0

// ---- GDI drawing on the back screen (COLORREF colours, GDI clips) -----------
void Box(int left, int top, int right, int bottom, COLORREF fill, COLORREF outline,
         int width);                              // filled rectangle, outline inside it
void InvertBox(int left, int top, int right, int bottom);   // flips every bit of the pixels
void Line(int x1, int y1, int x2, int y2, COLORREF color, int width);   // end point not drawn
void Polygon(const POINT* points, int count, COLORREF color, COLORREF background, int width,
             int fillMode);                       // 0 outline, 2 see-through hatch, else opaque hatch
void Bezier(const POINT* points, int count, COLORREF color, int width);   // 1 + 3n points
void PutPixel(int x, int y, COLORREF color);      // one pixel
void GetPixelColor(int x, int y, int* red, int* green, int* blue);   // 0-255 each

// ---- Fonts and text (one selection open at a time; release before blitting) ---
void InitFontList();                              // fills the font list (screen set-up)
void FreeFontList();                              // frees the shared font record
// Families: 0 Mincho, 1 Gothic, other keeps the last face. Weight: 0 normal, 1 bold.
void SetFont(int family, int height, int angle, int weight, int italic, int underline);
void SetFontByName(const char* name, int height, int angle, int weight, int italic,
                   int underline);                // name of at most 31 characters
void ReleaseFont();                               // closes the back-screen selection
void SetBufferFont(int family, int size);         // 2 x size font on the Font buffer sprite
void SetBufferFontByName(const char* name, int size);
void ReleaseBufferFont();                         // closes the Font buffer selection
void SetTextColor(COLORREF color, COLORREF background, int transparent);
void Text(int x, int y, const char* text);        // one line at (x, y)
int TextBox(int left, int top, int right, int bottom, const char* text, int align);
                                                  // wrapped; align 0 left, 1 centre, 2 right;
                                                  // the drawn height, 0 for another align
int TextHeight(int left, int top, int right, int bottom, const char* text);   // wrapped height
void Print(int x, int y, const char* text);       // 12-pixel Gothic, white on navy
void PrintF(int x, int y, const char* format, ...);   // as Print, printf-formatted (255 bytes)
void ShowFps();                                   // frame-rate line at (0, 0); once per frame

// ---- Text layout ------------------------------------------------------------
// A Shift-JIS text laid out in a box (final pixels) on the back screen,
// wrapped at the right edge and at "\n"; a line ends at the bottom edge.
// Flags: bits 0-7 extra line spacing; 0x100 a shadow in the background
// colour; 0x200 drawn again one pixel right; 0x400 one pixel lower. The text
// is composed in the Font sprite (colour 0 transparent) and copied from there.
constexpr int kGlyphEntries = 3200;      // entry 0 and up to 3199 characters
constexpr int kHangingChars = 15;
extern RECT glyphTable[kGlyphEntries];   // 0: the text's box; 1..: characters in order
extern int glyphCount;                   // entries of the last text, entry 0 included
extern const char* const hangingChars[kHangingChars];   // may stand past the right edge
extern int messageBlit;                  // 0: the next message call leaves out its copy
extern int revealCount;                  // TypeMessage: entries 1 .. revealCount - 1 shown
extern float revealTimer;                // TypeMessage: seconds towards the next character

// After SetFont/SetFontByName and SetTextColor; the same font is selected again on return.
void Message(int left, int top, int right, int bottom, const char* text, int flags);
void MessageLayout(int left, int top, int right, int bottom, const char* text,
                   int flags);                    // as Message, without the copy to the back screen
// After SetBufferFont/SetBufferFontByName and SetTextColor: drawn at double size and
// shrunk with edges blended into the back screen; the font is selected again on return.
void SmoothMessage(int left, int top, int right, int bottom, const char* text, int flags);
void SmoothMessageLayout(int left, int top, int right, int bottom, const char* text,
                         int flags);              // as SmoothMessage, without the copy
int TypeMessage(float interval);                  // once per frame: one more character every
                                                  // interval seconds; 1 once all is shown

}  // namespace muDraw

namespace muSound {

// ---- Capacities -------------------------------------------------------------
constexpr int kSoundSlots = 70;        // sound objects, slots 0..69
constexpr int kMixMax = 10;            // buffers per sound object
constexpr int kSoundNameMax = 30;      // characters of a stored sound name

// Buffer selectors of the playback operations (any other negative value: all
// buffers, or the rotation buffer for plays).
constexpr int kAllBuffers = -1;
constexpr int kRotationBuffer = -2;    // plays: also (re)starts the echo

extern int soundEnabled;           // 1 after a successful Init; 0: every sound operation does nothing
extern int restoringSounds;        // 1 while Restore reloads the table
extern int soundSlot;              // the slot a loader fills
extern DWORD playPosition;         // the last GetPlayPosition answer
extern int midiOpen;               // 1 while a MIDI piece is open
extern int midiFinished;           // the piece reached its end at least once since PlayMidi
extern int midiLoop;               // restart the piece when it ends

// ---- Device and sound objects -----------------------------------------------
int Init();                                       // opens the sound device; 1 on success
void ResetObjects();                              // all sound rows to their reset values
void Release();                                   // releases the sound device and its buffers
void Restore();                                   // re-creates the device, reloads every row in use
int LoadObject(const char* name, int mixCount);   // WAVE file or resource; slot or -1
int FreeObject(int slot);                         // frees a row; returns the slot
DWORD GetPlayPosition(int slot);                  // play cursor of the slot's first buffer, bytes
void PlaySystemSound(const char* sound);          // sndPlaySoundA, device released meanwhile

// ---- Sound packs and streaming ----------------------------------------------
// A pack holds WAVE sounds under their upper-case file names. A sound of five
// seconds or more loaded with LoadStream plays from disk: call Streaming every
// frame while it plays. Its loop offset is where a looping play goes on after
// the end, in bytes into the samples (0: from the beginning).
extern char currentPack[muSystem::kTextBufferSize];  // full path LoadPack and LoadStream read
void SetPack(const char* fileName);               // currentPack = executable's directory + name
int LoadPack(const char* name, int mixCount);     // a sound of currentPack; slot or -1
int LoadStream(const char* name, DWORD loopOffset);  // a stream of currentPack; slot or -1
int Streaming();                                  // refills playing streams; 1, 0 after an error
int ResetStream(int slot);                        // rewinds a stream; 1, 0 after an error
int MakePack(const char* packName, const char* folder, int replace);  // every *.WAV of a folder; 1
void AddToPack(const char* packName, const char* wavPath);            // appends one WAVE file

// ---- Playback control (selector last: a buffer, kRotationBuffer or all) -----
int Play(int slot, int selector);                 // rewinds and plays once
int PlayLoop(int slot, int selector);             // rewinds and plays looping
int Stop(int slot, int selector);                 // stops and rewinds
int TogglePause(int slot, int selector);          // pauses a playing buffer, resumes another
int AddVolume(int slot, int decibels, int selector);
int SetVolume(int slot, int decibels, int selector);
int ResetVolume(int slot, int selector);
int AddPan(int slot, int decibels, int selector);
int SetPan(int slot, int decibels, int selector);
int CenterPan(int slot, int selector);
int PanLeft(int slot, int selector);
int PanRight(int slot, int selector);
int AddFrequency(int slot, int steps, int selector);   // steps of 100 Hz
int SetFrequency(int slot, int steps, int selector);   // base frequency + 100 Hz x steps
int ResetFrequency(int slot, int selector);
int Echo(int slot, int interval, int repeats, int decay);                // once per frame
int EchoPan(int slot, int interval, int repeats, int decay, int panSpeed);  // once per frame

// ---- Playback format --------------------------------------------------------
// Rate 8, 11, 22 or 44 means 8000, 11025, 22050 or 44100 Hz; any other is in Hz.
int SelectFormat(int channels, int rate, int bits);  // primary buffer's format; 1, 0 if refused

// ---- MIDI music -------------------------------------------------------------
int InitMidi();                                   // MIDI start-up (screen set-up)
int PlayMidi(const char* fileName, int loop);     // opens and plays a MIDI file; returns loop
void MidiNotify();                                // end of a MIDI piece: loop or close
void StopMidi();                                  // stops and closes an open piece
int CloseMidi();                                  // stop and close regardless; MCI result
void EndMidiLoop();                               // the current pass is the last

}  // namespace muSound

#endif
