// The page side of the web backend (an Emscripten JS library): the canvas
// that stands in for the game window, its place in the page, the message
// lines, and the wait for the browser's next animation frame that paces
// presentation. The page's "desktop" is the browser's viewport: the cursor
// and the canvas's rectangle are both read in its (client) coordinates.
mergeInto(LibraryManager.library, {
  $Page: {
    canvas: null,
    // Presentation: at most this many frames a second, whatever the
    // display's refresh rate.
    framesPerSecond: 60,
    // The time (ms) from which the next frame may be shown.
    nextDue: 0,
    // Frame statistics for the page's tests and figures: frames shown, the
    // time the first one was shown (ms since the page's navigation began),
    // and the time spent between being woken and presenting (the program's
    // own work per frame), summed.
    stats: { frames: 0, firstFrameMs: -1, workMs: 0, resumedAt: -1 },

    // Whether a frame may be shown at the animation frame of time `now`
    // (ms); if so, it counts as shown. A display's frame may come a little
    // early; a frame that comes more than one interval late starts the
    // count afresh rather than letting frames catch up.
    frameDue: function(now) {
      var interval = 1000 / Page.framesPerSecond;
      var slack = 1;
      if (now < Page.nextDue - slack)
        return false;
      Page.nextDue = (now - Page.nextDue > interval ? now : Page.nextDue) + interval;
      return true;
    },

    // Where messages go in the page: the element with id "messages" when
    // the page has one, else the body.
    messageList: function() {
      return document.getElementById('messages') || document.body;
    },

    // While the program runs, the right button turns the view: the
    // browser's context menu would open wherever it is pressed.
    keepContextMenu: function(event) {
      if (!ABORT)
        event.preventDefault();
    },
    listening: false, // to context menus
  },

  // A canvas of width x height pixels on the page whose drawing buffer has
  // one pixel for every `scale` x `scale` of them: the browser enlarges the
  // buffer to the canvas by repeating its pixels.
  pageOpenCanvas__deps: ['$Page'],
  pageOpenCanvas: function(title, width, height, scale) {
    var canvas = document.createElement('canvas');
    canvas.width = width / scale;
    canvas.height = height / scale;
    canvas.style.position = 'absolute';
    canvas.style.left = '0px';
    canvas.style.top = '0px';
    canvas.style.width = width + 'px';
    canvas.style.height = height + 'px';
    canvas.style.imageRendering = 'pixelated';
    // A new window shows nothing until its first frame is presented.
    canvas.style.visibility = 'hidden';
    canvas.setAttribute('aria-label', UTF8ToString(title));
    document.body.appendChild(canvas);
    Page.canvas = canvas;
    if (!Page.listening) {
      Page.listening = true;
      document.addEventListener('contextmenu', Page.keepContextMenu);
    }
  },

  pageCloseCanvas__deps: ['$Page'],
  pageCloseCanvas: function() {
    if (!Page.canvas)
      return;
    Page.canvas.remove();
    Page.canvas = null;
  },

  // The canvas's rectangle in viewport pixels into four ints at `rect`
  // (left, top, width, height); 0 when there is no canvas.
  pageCanvasRect__deps: ['$Page'],
  pageCanvasRect: function(rect) {
    if (!Page.canvas)
      return 0;
    var box = Page.canvas.getBoundingClientRect();
    HEAP32[(rect >> 2) + 0] = Math.round(box.left);
    HEAP32[(rect >> 2) + 1] = Math.round(box.top);
    HEAP32[(rect >> 2) + 2] = Math.round(box.width);
    HEAP32[(rect >> 2) + 3] = Math.round(box.height);
    return 1;
  },

  // Puts the canvas's top-left corner at viewport position (x, y).
  pageMoveCanvas__deps: ['$Page'],
  pageMoveCanvas: function(x, y) {
    if (!Page.canvas)
      return;
    Page.canvas.style.left = (x + window.scrollX) + 'px';
    Page.canvas.style.top = (y + window.scrollY) + 'px';
  },

  pageHideCursor__deps: ['$Page'],
  pageHideCursor: function() {
    if (Page.canvas)
      Page.canvas.style.cursor = 'none';
  },

  // A message box: a line "caption: text" in the page (the caller writes
  // the same line on stderr, the console).
  pageShowMessage__deps: ['$Page'],
  pageShowMessage: function(caption, text) {
    var line = document.createElement('p');
    line.className = 'message';
    line.textContent = UTF8ToString(caption) + ': ' + UTF8ToString(text);
    Page.messageList().appendChild(line);
  },

  // The frame just drawn is what the canvas shows from now on; counted for
  // the statistics.
  pagePresent__deps: ['$Page'],
  pagePresent: function() {
    var now = performance.now();
    var stats = Page.stats;
    if (Page.canvas)
      Page.canvas.style.visibility = 'visible';
    if (stats.firstFrameMs < 0)
      stats.firstFrameMs = now;
    if (stats.resumedAt >= 0)
      stats.workMs += now - stats.resumedAt;
    stats.frames++;
    Module['frameStats'] = stats;
  },

  // Waits (yielding to the browser) for the animation frame in which the
  // next frame may be shown: the browser composites what was drawn before
  // the wait, and frames never come faster than framesPerSecond.
  pageAwaitFrame__deps: ['$Page', '$Asyncify'],
  pageAwaitFrame: function() {
    return Asyncify.handleSleep(function(wakeUp) {
      function step(now) {
        if (!Page.frameDue(now)) {
          requestAnimationFrame(step);
          return;
        }
        Page.stats.resumedAt = performance.now();
        wakeUp();
      }
      requestAnimationFrame(step);
    });
  },

  // Hands the bytes to the browser as a file download.
  pageOfferDownload: function(name, bytes, size) {
    var blob = new Blob([HEAPU8.slice(bytes, bytes + size)], { type: 'image/png' });
    var link = document.createElement('a');
    link.href = URL.createObjectURL(blob);
    link.download = UTF8ToString(name);
    document.body.appendChild(link);
    link.click();
    link.remove();
    setTimeout(function() { URL.revokeObjectURL(link.href); }, 10000);
  },
});
