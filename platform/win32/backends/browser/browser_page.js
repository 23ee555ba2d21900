// The page's side of the browser back end (page_calls.h is the C++ side's view of it): each
// window a frame with a caption, a close button and the canvas of its client area; the keys and
// clicks it hears, queued for the program; the waits that give the page back to the browser;
// the dialog of MessageBoxA. Under node there is no page: windows are records, nothing is shown.
mergeInto(LibraryManager.library, {
  $VelkorPage__deps: ['$callUserCallback'],
  $VelkorPage: {
    windows: {},
    nextId: 1,
    // What was heard, oldest first; kinds numbered as page_calls.h's PageEventKind.
    events: [],
    // Wakes the program waiting for an event, while one waits.
    eventWaiter: null,

    onScreen: function() {
      return typeof document !== 'undefined';
    },

    // What a window manager's close is: the program hears a request and decides.
    closeClicked: function(id) {
      VelkorPage.eventPush({kind: 1, window: id});
    },

    // A keydown or keyup on a window's canvas, or anything shaped like one.
    keyHeard: function(id, event) {
      VelkorPage.eventPush({
        kind: 2,
        window: id,
        down: event.type === 'keydown',
        repeat: event.repeat,
        alt: event.altKey,
        control: event.ctrlKey,
        shift: event.shiftKey,
        capsLock: event.getModifierState('CapsLock'),
        code: event.code,
      });
    },

    // Resumes the waiting program from a callback of the browser's. The program may end on its
    // way to the next wait: the runtime takes its exit there.
    resume: function(wakeUp, value) {
      callUserCallback(function() {
        wakeUp(value);
      });
    },

    eventPush: function(event) {
      VelkorPage.events.push(event);
      var waiter = VelkorPage.eventWaiter;
      VelkorPage.eventWaiter = null;
      if (waiter) waiter();
    },

    // The browser keeps its own shortcuts (Ctrl or Cmd with a key, the function keys: reload,
    // full screen, its tools); every other key is the program's alone, so Tab does not move the
    // focus, nor Space scroll the page.
    keyIsTheProgramsAlone: function(event) {
      return !event.ctrlKey && !event.metaKey && !/^F[0-9]+$/.test(event.code);
    },

    styleAdd: function() {
      if (document.getElementById('velkor-window-style')) return;
      var style = document.createElement('style');
      style.id = 'velkor-window-style';
      // The Windows 10 frame at 96 DPI: 8 pixels on each side and below, 31 above (a 23-pixel
      // caption over the frame's 8).
      style.textContent = [
        '.velkor-window { display: inline-flex; flex-direction: column; padding: 0 8px 8px;',
        '  background: #f3f3f3; font: 12px system-ui, sans-serif;',
        '  box-shadow: 0 0 0 1px #8a8a8a, 0 8px 24px rgba(0, 0, 0, 0.3); }',
        '.velkor-window[hidden] { display: none; }',
        '.velkor-caption { display: flex; align-items: center; height: 31px; color: #000;',
        '  user-select: none; }',
        '.velkor-title { flex: 1; padding-left: 4px; }',
        '.velkor-close { width: 46px; height: 31px; margin-right: -8px; border: 0;',
        '  background: transparent; font: 16px system-ui, sans-serif; }',
        '.velkor-close:hover { background: #e81123; color: #fff; }',
        '.velkor-window canvas { display: block; outline: none; background: #000; }',
        '.velkor-full-screen { position: fixed; inset: 0; padding: 0; z-index: 1; }',
        '.velkor-full-screen .velkor-caption { display: none; }',
        '.velkor-box { min-width: 240px; max-width: 480px; padding: 0; border: 1px solid #8a8a8a;',
        '  font: 13px system-ui, sans-serif; }',
        '.velkor-box h2 { margin: 0; padding: 8px 12px; font-size: 12px; font-weight: normal;',
        '  background: #f3f3f3; }',
        '.velkor-box p { margin: 0; padding: 20px 12px; white-space: pre-line; }',
        '.velkor-box[data-icon="error"] p::before { content: "\\26D4\\FE0F  "; }',
        '.velkor-box[data-icon="warning"] p::before { content: "\\26A0\\FE0F  "; }',
        '.velkor-box[data-icon="information"] p::before { content: "\\2139\\FE0F  "; }',
        '.velkor-box form { display: flex; justify-content: flex-end; padding: 8px 12px;',
        '  background: #f0f0f0; }',
        '.velkor-box button { min-width: 76px; }',
      ].join('\n');
      document.head.appendChild(style);
    },

    // Where windows go: the page's element of id "velkor-desktop", or its body.
    desktop: function() {
      return document.getElementById('velkor-desktop') || document.body;
    },

    frameMake: function(id, title, clientWidth, clientHeight) {
      VelkorPage.styleAdd();
      var frame = document.createElement('section');
      frame.className = 'velkor-window';
      frame.hidden = true;
      frame.setAttribute('aria-label', title);
      var caption = document.createElement('header');
      caption.className = 'velkor-caption';
      var titleText = document.createElement('span');
      titleText.className = 'velkor-title';
      titleText.textContent = title;
      var close = document.createElement('button');
      close.type = 'button';
      close.className = 'velkor-close';
      close.setAttribute('aria-label', 'Close');
      close.textContent = '\u2715';
      close.addEventListener('click', function() {
        VelkorPage.closeClicked(id);
      });
      caption.append(titleText, close);
      var canvas = document.createElement('canvas');
      canvas.width = clientWidth;
      canvas.height = clientHeight;
      canvas.style.width = clientWidth + 'px';
      canvas.style.height = clientHeight + 'px';
      canvas.tabIndex = 0;
      var key = function(event) {
        if (VelkorPage.keyIsTheProgramsAlone(event)) event.preventDefault();
        VelkorPage.keyHeard(id, event);
      };
      canvas.addEventListener('keydown', key);
      canvas.addEventListener('keyup', key);
      // A click anywhere on the window gives its canvas the keyboard, as activating a window does.
      frame.addEventListener('pointerdown', function(event) {
        if (event.target !== close) canvas.focus();
      });
      frame.append(caption, canvas);
      VelkorPage.desktop().appendChild(frame);
      return {frame: frame, canvas: canvas, context: canvas.getContext('2d', {alpha: false})};
    },
  },

  PageOnScreen__deps: ['$VelkorPage'],
  PageOnScreen: function() {
    return VelkorPage.onScreen() ? 1 : 0;
  },

  PageDisplaySize: function(width, height) {
    // Node has no screen: a headless display's, as SDL's dummy driver reports it.
    var screenNow = typeof screen !== 'undefined' ? screen : {width: 1024, height: 768};
    HEAP32[width >> 2] = screenNow.width;
    HEAP32[height >> 2] = screenNow.height;
  },

  PageWindowCreate__deps: ['$VelkorPage'],
  PageWindowCreate: function(title, clientWidth, clientHeight) {
    var id = VelkorPage.nextId++;
    VelkorPage.windows[id] = VelkorPage.onScreen()
        ? VelkorPage.frameMake(id, UTF8ToString(title), clientWidth, clientHeight)
        : {};
    return id;
  },

  PageWindowShow__deps: ['$VelkorPage'],
  PageWindowShow: function(id) {
    var shown = VelkorPage.windows[id];
    if (!shown.frame) return;
    shown.frame.hidden = false;
    shown.canvas.focus();
  },

  PageWindowHide__deps: ['$VelkorPage'],
  PageWindowHide: function(id) {
    var shown = VelkorPage.windows[id];
    if (shown.frame) shown.frame.hidden = true;
  },

  PageWindowDestroy__deps: ['$VelkorPage'],
  PageWindowDestroy: function(id) {
    var shown = VelkorPage.windows[id];
    if (!shown) return;  // gone with the process's end already
    if (shown.frame) shown.frame.remove();
    delete VelkorPage.windows[id];
  },

  PageWindowFullScreen__deps: ['$VelkorPage', 'PageDisplaySize'],
  PageWindowFullScreen: function(id, clientWidth, clientHeight) {
    var shown = VelkorPage.windows[id];
    if (!shown.frame) {
      _PageDisplaySize(clientWidth, clientHeight);
      return;
    }
    shown.frame.classList.add('velkor-full-screen');
    HEAP32[clientWidth >> 2] = innerWidth;
    HEAP32[clientHeight >> 2] = innerHeight;
    // Browsers grant the screen itself only in answer to the reader's click or key.
    if (shown.frame.requestFullscreen) shown.frame.requestFullscreen().catch(function() {});
  },

  PageWindowPresent__deps: ['$VelkorPage'],
  PageWindowPresent: function(id, pixels, frameWidth, frameHeight, x, y, width, height,
                              clientWidth, clientHeight) {
    var shown = VelkorPage.windows[id];
    if (!shown.frame) return 1;
    if (!shown.context) return 0;
    var canvas = shown.canvas;
    // A canvas of the frame's size, shown at the client area's: the browser scales it, as it
    // scales it again for the page's zoom or full screen.
    if (canvas.width !== frameWidth || canvas.height !== frameHeight) {
      canvas.width = frameWidth;
      canvas.height = frameHeight;
    }
    if (canvas.style.width !== clientWidth + 'px') canvas.style.width = clientWidth + 'px';
    if (canvas.style.height !== clientHeight + 'px') canvas.style.height = clientHeight + 'px';
    if (width > 0 && height > 0) {
      // A view of the program's memory, not a copy: only the part given is read.
      var bytes = new Uint8ClampedArray(HEAPU8.buffer, pixels, frameWidth * frameHeight * 4);
      shown.context.putImageData(new ImageData(bytes, frameWidth, frameHeight), 0, 0, x, y,
                                  width, height);
    }
    return 1;
  },

  PageRefreshWait__deps: ['$VelkorPage'],
  PageRefreshWait: function(count) {
    if (typeof requestAnimationFrame !== 'function') return 0;
    // A hidden page has no animation frames: the program sleeps until it is shown again.
    return Asyncify.handleSleep(function(wakeUp) {
      var left = count;
      var step = function() {
        if (--left > 0) {
          requestAnimationFrame(step);
        } else {
          VelkorPage.resume(wakeUp, 1);
        }
      };
      requestAnimationFrame(step);
    });
  },

  PageEventTake__deps: ['$VelkorPage'],
  PageEventTake: function(record) {
    var event = VelkorPage.events.shift();
    if (!event) return 0;
    var fields = [event.kind, event.window, event.down, event.repeat, event.alt, event.control,
                  event.shift, event.capsLock];
    for (var i = 0; i < fields.length; ++i) HEAP32[(record >> 2) + i] = fields[i] ? fields[i] : 0;
    stringToUTF8(event.code || '', record + 4 * fields.length, 32);
    return 1;
  },

  PageEventsWait__deps: ['$VelkorPage'],
  PageEventsWait: function(timeoutMilliseconds) {
    Asyncify.handleSleep(function(wakeUp) {
      if (VelkorPage.events.length) {
        wakeUp();
        return;
      }
      var timer = setTimeout(function() {
        VelkorPage.eventWaiter = null;
        VelkorPage.resume(wakeUp);
      }, timeoutMilliseconds);
      VelkorPage.eventWaiter = function() {
        clearTimeout(timer);
        VelkorPage.resume(wakeUp);
      };
    });
  },

  PageMessageBox__deps: ['$VelkorPage'],
  PageMessageBox: function(caption, text, icon) {
    var captionText = UTF8ToString(caption);
    var bodyText = UTF8ToString(text);
    var iconName = UTF8ToString(icon);
    Asyncify.handleSleep(function(wakeUp) {
      VelkorPage.styleAdd();
      var dialog = document.createElement('dialog');
      dialog.className = 'velkor-box';
      if (iconName) dialog.dataset.icon = iconName;
      var heading = document.createElement('h2');
      heading.textContent = captionText;
      var message = document.createElement('p');
      message.textContent = bodyText;
      var form = document.createElement('form');
      form.method = 'dialog';
      var ok = document.createElement('button');
      ok.textContent = 'OK';
      ok.autofocus = true;
      form.append(ok);
      dialog.append(heading, message, form);
      // OK, Enter or Escape: a box with one button answers IDOK to each.
      dialog.addEventListener('close', function() {
        dialog.remove();
        VelkorPage.resume(wakeUp);
      }, {once: true});
      document.body.appendChild(dialog);
      dialog.showModal();
    });
  },

  PageStop__deps: ['$VelkorPage'],
  PageStop: function() {
    for (var id in VelkorPage.windows) {
      if (VelkorPage.windows[id].frame) VelkorPage.windows[id].frame.remove();
    }
    VelkorPage.windows = {};
    VelkorPage.events = [];
  },
});
